// Resource packs: every game asset is an entry of a pack, a set of part files in the archive
// (layout: PackFormat.h). One pack is open at a time, through one cursor kept in the statics
// (packName, packStream, packPosition, the header and the current part's offset table); the
// header stays cached under packName after closePack, so the next entry of the same pack reopens
// only the part file it needs. Also the little-endian stream readers of the text package and the
// start-up loading.
//
// Bad data never hangs or crashes a reader: a pack or part that cannot be opened, a header or
// offset table that is cut short or out of order, an entry whose bytes would run past its part
// file and a part that ends before an entry's bytes are logged and raised as a java_lang_Exception whose
// message is constant string 107; an entry number outside the pack is raised with constant string 106.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
struct java_io_InputStream;
} // namespace runtime

namespace game::sprites {

using runtime::jint;

// Makes name the open pack: nothing happens when its header is the cached one (even with the
// stream closed); otherwise the previous pack is closed and part 0's header and offset table are
// read. A pack whose header cannot be read is forgotten, so nothing of it stays cached.
void openPack(runtime::String* name);
// Reads the offset table of packCurrentPart from the start of its open part file.
void readPartOffsets();
// Positions the open pack at entry i, consuming the entry's lead byte: the number of content
// bytes that follow (never more than its part file holds), or 0 after a failure (raised).
jint openPackEntry(jint i);
// Reads len bytes of the open pack into buf from off: the number that arrived (len unless the
// part ended or the stream failed, which is raised). A range outside buf reads nothing.
jint readPack(runtime::ByteArray* buf, jint off, jint len);
// One byte of the open pack, 0..255; -1 at the end of the part (or with no stream), 0 when the
// read raised (the exception is dropped). packPosition counts every call.
jint readPackByte();
// Closes the part stream (its exceptions dropped), packPosition := 0, and collects. The header
// stays cached.
void closePack();

// The name of part file part of the open pack: packName, or packName + constant 94 + part.
runtime::String* packPartName(jint part);
// Opens part file part of the open pack as packStream at position 0; false (raised) when it is
// missing.
bool openPackPart(jint part);
// Logs "pack NAME: <what>" and raises a java_lang_Exception with constant string message,
// unless an exception is pending already.
void raisePackError(jint message, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Constant strings of the two failures.
inline constexpr jint kPackEntryMissingMessage = 106;
inline constexpr jint kPackPartMissingMessage = 107;

// The stream's single-byte read; a byte read counts in streamBytesRead. When the read raises, 0
// with the exception left pending.
jint readStreamByte(runtime::java_io_InputStream* stream);
// Four readStreamByte results, each cut to 8 bits, least significant first; 0 at the first
// pending exception, which stays pending.
jint readStreamInt(runtime::java_io_InputStream* stream);
// Reads len bytes into buf from off like readPack (a raised exception ends the loop and is
// dropped): the number that arrived, which counts in streamBytesRead.
jint readStreamFully(runtime::java_io_InputStream* stream, runtime::ByteArray* buf, jint off, jint len);

} // namespace game::sprites
