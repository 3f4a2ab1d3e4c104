// Resources and application properties: the resource opener the game calls (getResourceAsStream),
// and "app.jad" read out of the archive (format: AppDescriptorFormat.h).
#pragma once

#include <functional>

#include "runtime/Streams.h"

namespace profile {

using runtime::String;

// The archive's opener for every name that is not a ".bar" file. It belongs to the game's
// resources code, above the profile, which installs it at start-up.
using ArchiveOpener = runtime::java_io_InputStream* (*)(String* name);
void setArchiveOpener(ArchiveOpener opener);

// A name ending in ".bar" whose file exists opens as that file; every other name (and a ".bar"
// name whose file does not exist) goes to the archive opener. Null when nothing has the name.
runtime::java_io_InputStream* getResourceAsStream(String* name);

// Makes getResourceAsStream the opener of the runtime's constant pool.
void installResourceOpener();

// The whole of "app.jad" as a String, one character per byte; null when the archive has none, it
// cannot be read or it is larger than any descriptor (64 KiB; logged).
String* loadAppDescriptor();

// Calls property(key, value) for each "key: value" line of text, in order, with both trimmed. A
// carriage return before the line feed is dropped and only the first ':' splits; a line without
// ':' (a blank line included) is skipped.
void parseAppDescriptor(String* text, const std::function<void(String* key, String* value)>& property);

// What getAppProperty answers for the value the property table holds: the value itself, or a new
// "PROPERTY VALUE EMPTY" when it holds none (never null).
String* appPropertyText(runtime::Object* value);

} // namespace profile
