// What the two sound targets share: a player made from the bytes as the game makes it (from a
// resource stream with a content type), taken through its life while the wave output mixes it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzzing {

// Makes a player of the bytes with the content type, realizes it, plays it twice over while the
// mixer renders a tenth of a second in capture mode, then stops and closes it.
void playSound(const std::uint8_t* data, std::size_t size, const char* contentType);

} // namespace fuzzing
