#pragma once

#include <QString>
#include <QStringList>

namespace wallpaper {

// How long setting the wallpaper may wait.
struct Options {
    int programTimeoutMs = 10000;
    // The portal may ask the user before it answers.
    int portalTimeoutMs = 120000;
};

// Whether the wallpaper was set, and how it was tried.
struct Result {
    enum class Outcome { set, cancelled, failed };
    Outcome outcome = Outcome::failed;
    QStringList tried; // the ways tried, in order
    QString problem;   // why the last way failed, in words
    bool Set() const { return outcome == Outcome::set; }
};

} // namespace wallpaper
