#include "ViewTitles.h"

#include "Catalogue.h"
#include "ViewState.h"

QString ViewState::Favourite(int position) const {
    if (position < 1 || position > m_nFavTotal || position >= m_favourites.size())
        return {};
    return m_favourites.at(position);
}

namespace viewtitles {

QString DocumentTitle(const ViewState& state) {
    if (state.IsCoverShown())
        return QString::fromLatin1(ViewState::kCoverName);
    const ViewMode mode = state.m_selection.mode;
    if (mode != ViewMode::all && mode != ViewMode::category && mode != ViewMode::favourites)
        return state.m_strCurrentName;
    QString page = state.m_strPage;
    if (page == QLatin1String("Page: 0"))
        page = QStringLiteral("Page: 1");
    else if (page == QLatin1String("Page: las"))
        page = QStringLiteral("Cover ");
    const QString three(3, QLatin1Char(' '));
    return three + state.m_strTreasury + three + page + QString(17, QLatin1Char(' '));
}

void UpdateCaptionTexts(ViewState& state) {
    if (state.m_selection.currentTreasury == 1) {
        state.m_strCaptionName = state.m_selection.mode == ViewMode::favourites
                                     ? state.Favourite(state.m_selection.imageCounter)
                                     : CatalogueNameString(state.m_selection.imageCounter);
    }
    state.m_strTreasury = QStringLiteral("Treasury: ") + TreasuryText(state.m_strCaptionName);
    state.m_strPage = QStringLiteral("Page: ") + PageText(state.m_strCaptionName);
}

QString ProposedSaveName(const QString& title) {
    static const QString kBad = QStringLiteral(" #%;/\\");
    QString name = title;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (kBad.contains(name.at(i))) {
            name.truncate(i);
            break;
        }
    }
    return name + QStringLiteral(".BMP");
}

QString FrameCaption(const QString& documentTitle) {
    const QString window = QStringLiteral("Quelby: The 1st Treasury");
    return documentTitle.isEmpty() ? window : window + QStringLiteral(" - ") + documentTitle;
}

bool IsDiagnosticSwitch(const QString& commandLine) {
    return commandLine.size() >= 2 && commandLine.at(0) == QLatin1Char('/') &&
           commandLine.at(1) == QLatin1Char('d');
}

} // namespace viewtitles
