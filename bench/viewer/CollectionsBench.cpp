// The viewer with a full profile against an empty one: start-up to the
// cover, and opening the browse wizard and the list of bookmarks, with 743
// favourites and 2,000 bookmarks stored; and removing a favourite from that
// full profile.
//
//   QUELBY_BENCH_ISO=build-rel/demo/quelby.iso build-rel/bench/viewer/bench_viewer_collections

#include "BenchDisc.h"
#include "BookmarkStore.h"
#include "CBookmarkListDlg.h"
#include "CBrowseWizard.h"
#include "Catalogue.h"
#include "CquelbyApp.h"
#include "FavouriteStore.h"
#include "MessageBox.h"
#include "Profile.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <benchmark/benchmark.h>

namespace {

constexpr int kBookmarks = 2000;

// Writes the profile in one go: 743 favourites and 2,000 bookmarks of eight
// keys each, or nothing; or the favourites alone.
void FillProfile(bool full, bool bookmarks = true) {
    const QString path = Profile::App().FilePath();
    QFile::remove(path);
    if (!full)
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(QStringLiteral("fav/total"), kCatalogueSize);
    for (int i = 1; i <= kCatalogueSize; ++i)
        settings.setValue(QStringLiteral("fav/%1").arg(i), CatalogueNameString(i));
    settings.setValue(QStringLiteral("bookmark/total"), bookmarks ? kBookmarks : 0);
    for (int i = 1; bookmarks && i <= kBookmarks; ++i) {
        const QString name = QStringLiteral("Bookmark %1").arg(i, 4, 10, QLatin1Char('0'));
        settings.setValue(QStringLiteral("bookmark/%1").arg(i), name);
        const QStringList keys{"mode", "currentTreasury", "imageCounter", "treasury1", "imageMax",
                               "all",  "category"};
        for (const QString& key : keys)
            settings.setValue(name + QLatin1Char('/') + key, 1);
        settings.setValue(name + QStringLiteral("/categoryShort"), QStringLiteral("WO"));
    }
    settings.sync();
}

void StartUp(benchmark::State& state) {
    FillProfile(state.range(0) == 1);
    if (!InsertBenchDisc(state))
        return;
    for (auto _ : state) {
        CquelbyApp app;
        app.InitInstance({});
        benchmark::DoNotOptimize(app.View());
    }
}

// Runs a dialog to the point where a person sees it, then closes it.
template <typename Dialog> void Open(benchmark::State& state, Dialog& dialog) {
    CDialog::SetModalHook([](CDialog& shown) { shown.EndDialog(IDCANCEL); });
    SetMessageBoxHook([](const QString&, const QString&, unsigned) { return IDOK; });
    for (auto _ : state)
        benchmark::DoNotOptimize(dialog.DoModal());
    CDialog::SetModalHook(nullptr);
    SetMessageBoxHook(nullptr);
}

void OpenWizard(benchmark::State& state) {
    FillProfile(state.range(0) == 1);
    const FavouriteStore favourites;
    const BookmarkStore bookmarks;
    CBrowseWizard wizard(favourites, bookmarks, 1, false);
    Open(state, wizard);
}

void OpenBookmarkList(benchmark::State& state) {
    FillProfile(state.range(0) == 1);
    BookmarkStore bookmarks;
    CBookmarkListDlg list(bookmarks);
    Open(state, list);
}

// Remove From Favorite as the store does it, the first of 743 favourites;
// the favourite is put back, untimed, for the next. Argument 0: a profile of
// the favourites alone; 1: the full one.
void RemoveFavourite(benchmark::State& state) {
    FillProfile(true, state.range(0) == 1);
    FavouriteStore favourites;
    const QString first = CatalogueNameString(1);
    for (auto _ : state) {
        if (favourites.Remove(first).Remaining() != kCatalogueSize - 1)
            state.SkipWithError("not removed");
        state.PauseTiming();
        favourites.Add(first);
        state.ResumeTiming();
    }
}

// Argument 0: an empty profile; 1: the full one.
BENCHMARK(StartUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenWizard)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenBookmarkList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveFavourite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
