#pragma once

#include <QString>

// Qt ends a program that finds no display (none set, or one that cannot be
// reached) with its platform plugin's messages and a core dump. While the
// guard lives, around the application object's construction, such an end
// prints the guard's one line instead and leaves with status 1; the other
// messages of that moment are held and go out as usual when the guard goes.
class NoDisplayGuard {
public:
    explicit NoDisplayGuard(QString line);
    ~NoDisplayGuard();
    NoDisplayGuard(const NoDisplayGuard&) = delete;
    NoDisplayGuard& operator=(const NoDisplayGuard&) = delete;
};
