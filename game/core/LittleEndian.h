// Little-endian readers and layout rows. Resource packs store their counts and offsets with the
// least significant byte first (the club database is big-endian); the readers take them from any
// input stream. copyLayoutRow moves one row of the cup participants table layoutRows.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace runtime {
struct java_io_InputStream;
} // namespace runtime

namespace game::core {

using runtime::jint;

// Two bytes, the first the lower: 0..65535. At the end of the data it raises
// java_io_EOFException and returns 0; an exception of the stream stays pending and gives 0.
jint readShortLE(runtime::java_io_InputStream* stream);
// Four bytes, the first the lowest; the end of the data and stream errors as readShortLE.
jint readIntLE(runtime::java_io_InputStream* stream);
// Copies one row between a and layoutRows: 32 entries for row 8 (it spans rows 8 and 9), 16
// for any other row. Direction 0 copies layoutRows into a; any other direction a into
// layoutRows. A row or array too short for the copy is logged and nothing is copied.
void copyLayoutRow(runtime::ShortArray* a, jint row, jint direction);

} // namespace game::core
