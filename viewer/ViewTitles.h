#pragma once

#include <QString>

struct ViewState;

// The texts the viewer derives from its state, kept apart from the widgets.
namespace viewtitles {
// The document title the view sets after painting a picture: "Vanto CD Home"
// on the cover; in modes 1, 2 and 5 three blanks, the treasury text, three
// blanks, the page text and 17 blanks ("Page: 0" shows as "Page: 1",
// "Page: las" as "Cover "); in any other mode the current name.
QString DocumentTitle(const ViewState& state);
// The caption name, treasury text and page text for the cartoon just shown.
void UpdateCaptionTexts(ViewState& state);
// Save As proposes the title cut at its first blank or any of # % ; / \,
// followed by the template's extension ".BMP".
QString ProposedSaveName(const QString& title);
// The frame's caption: the window title, " - " and the document title.
QString FrameCaption(const QString& documentTitle);
// "/d" turns the diagnostic mode on: only the first two characters count.
bool IsDiagnosticSwitch(const QString& commandLine);
} // namespace viewtitles
