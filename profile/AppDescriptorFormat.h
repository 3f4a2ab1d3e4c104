// The application properties "app.jad", shared by their reader (Resources.cpp) and the sample data
// generator.
//
// One property per line, "key: value", ending in a line feed (a carriage return before it is
// dropped). Only the first ':' of a line splits it, so a value may hold ':'; key and value are
// trimmed of white space. A line without ':' is skipped. The file is an entry of the archive.
#pragma once

namespace profile {

inline constexpr char kAppDescriptorResource[] = "app.jad";
inline constexpr char kPropertySeparator = ':';
// What a property that the descriptor does not define reads as.
inline constexpr char kMissingPropertyText[] = "PROPERTY VALUE EMPTY";

} // namespace profile
