// What every fuzz target shares: the runtime set up as the game starts it, one input's life in
// it, and the bytes of an input as the runtime's arrays and streams.
//
// The runtime is made once per process (an Application with the game's heaps and collector, the
// class table, the sample constant pool, the profile's resource opener and the archive opener; for
// the game's readers also the game's static block),
// because making it takes milliseconds. Each input then runs in it through runInput, which
// reclaims afterwards everything the input made, permanent objects included, and stops the
// process when the input left the runtime damaged: broken heaps, an unbalanced method-name stack
// or objects that nothing should hold any more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace runtime {
class Application;
struct ByteArray;
struct java_io_InputStream;
struct String;
} // namespace runtime

namespace fuzzing {

// Runs one input: sets the runtime up on the first call, calls body, then ends the input. The
// body's frame is gone before the final collection, so nothing it held stays alive by mistake.
// Always 0, the answer libFuzzer expects.
int runInput(const std::uint8_t* data, std::size_t size,
             void (*body)(const std::uint8_t* data, std::size_t size));

// Runs one input in the game's runtime: as runInput, but the Application is made with the game's
// static set-up (its static block with every class initialiser run) and game resources come from
// serveResource instead of the archive. Every game static the input changed is put back after it,
// and the served resources are dropped. A process runs either kind of input, never both.
int runGameInput(const std::uint8_t* data, std::size_t size,
                 void (*body)(const std::uint8_t* data, std::size_t size));
// Makes bytes the game resource called name (as the archive stores it: no leading '/') for the
// rest of the input.
void serveResource(const std::string& name, const std::uint8_t* data, std::size_t size);

runtime::Application& application();

// A new byte array holding the bytes.
runtime::ByteArray* byteArrayOf(const std::uint8_t* data, std::size_t size);
// A stream over the bytes as the archive hands out an entry: a view limited to the entry's size
// over a stream that holds the bytes.
runtime::java_io_InputStream* entryStreamOf(const std::uint8_t* data, std::size_t size);

// The programs folder of this process (TARNWICK_ROOT points at it): a folder of its own, in
// memory where /dev/shm exists, removed at exit. Folders left by processes that died are removed
// when the next one starts.
const std::string& programsFolder();
// Replaces the file at a path relative to the programs folder with the bytes, making its folders.
void writeFile(const std::string& relative, const std::uint8_t* data, std::size_t size);

// Replaces the file at a handset path (a record store's index or record) with the bytes.
void writeHandsetFile(runtime::String* path, const std::uint8_t* data, std::size_t size);

// Splits bytes framed as 24-bit little-endian lengths, each followed by that many bytes (the last
// cut where the input ends), into at most limit pieces; at is left after the last piece.
inline constexpr std::size_t kFrameLengthBytes = 3;
std::vector<std::vector<std::uint8_t>> framedPieces(const std::uint8_t* data, std::size_t size,
                                                    std::size_t& at, std::size_t limit);

// A fault the sanitizers cannot see: logs the message and aborts, which libFuzzer reports as a
// crash and the replay as a failed test.
[[noreturn]] void fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Checks that a String is well formed (its terminator in place, its count in range); fails
// otherwise. Null passes.
void checkString(runtime::String* text, const char* what);

} // namespace fuzzing
