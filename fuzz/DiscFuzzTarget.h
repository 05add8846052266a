#pragma once

#include <cstddef>
#include <cstdint>

// Runs one input through the disc layer as the programs use it: the label,
// the cartoon and cover paths, a walk over every file and reads of what is
// found. The first byte chooses the form of the rest:
//   0: a plain ISO image;
//   1: a cue sheet up to the first NUL byte, then the file every FILE line names;
//   2: a Nero image;
//   3: a folder copy: its label file up to the first NUL byte, then the
//      names of a folder's entries, each ended by a NUL byte.
// Everything stays in memory. Shared by the libFuzzer target and the corpus
// test, so the corpus runs in every build.
void RunDiscInput(const std::uint8_t* data, std::size_t size);
