#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The two questions a program answers before it opens anything, even with
// no display: --help or -h (the usage) and --version. They count only as the
// first argument, so the rest of a command line keeps its meaning.
//
// arguments: the command line after the program name. The answer is the
// text to print on standard output, ending in a newline: the usage given,
// or the program's name and version. None for any other command line.
std::optional<QString> StandardAnswer(const QStringList& arguments, const QString& program,
                                      const QString& usage);

// argv after the program name, in the locale's encoding.
QStringList CommandLineArguments(int argc, char** argv);
