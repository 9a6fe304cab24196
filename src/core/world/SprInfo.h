#pragma once

#include "platform/Prompter.h"
#include "world/ObjectDescriptions.h"

#include <string_view>

namespace zentrik {

inline constexpr const char* kSprInfoFileName = "sprinfo.txt";

// "sprinfo.txt": per definition the object value, sprite, type and flag, then the lock and
// side texture of a door (type 7) or the difficulty of an actor (type 4). ";" starts a
// comment, "END" ends the file. Anything but blanks after a definition stops reading with
// "Illegal character after definition of tile %i: '%c'!"; what was read stays.
void parseSprInfo(std::string_view text, ObjectDescriptionTable& table, Prompter& prompter);

} // namespace zentrik
