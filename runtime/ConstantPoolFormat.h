// The layout of the constant pool resource, shared by its reader (ConstantPool.cpp) and the sample
// data generator.
//
// "/constants.bin", all numbers big-endian: a signed 32-bit count, then count strings, each a
// 16-bit byte length and that many bytes of modified UTF-8 (ModifiedUtf8.h). Nothing follows.
#pragma once

namespace runtime {

// The resource name the pool is opened by; the archive stores it without the leading '/'.
inline constexpr char kConstantPoolResource[] = "/constants.bin";

} // namespace runtime
