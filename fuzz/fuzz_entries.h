#pragma once

#include <cstddef>
#include <cstdint>

// One input of each fuzz target: runs it through the real code and aborts when a property that
// must hold for every input does not. The fuzzers and the ordinary tests' replay of the kept
// inputs both call these.
namespace fuzz {

// The bytes as an NSL file, through both routines and the canvas.
int Nsl(const std::uint8_t* data, std::size_t size);
// The bytes as an NLM file, through ShowNlmFile.
int Nlm(const std::uint8_t* data, std::size_t size);
// The bytes as a Wine system.reg, through the LogoManager lookup's string read.
int WineRegistry(const std::uint8_t* data, std::size_t size);
// The bytes as a path, through SamKatalog and the joining of a folder and a name, and as a
// start-up argument read as Windows reads it.
int PathRules(const std::uint8_t* data, std::size_t size);

}  // namespace fuzz
