// Names for temporary files that stand beside the file they will replace.
#pragma once

#include <filesystem>

namespace ostrel {

// A name in target's folder that no user picks by chance ("~ostrel-" and 16 random hexadecimal
// digits), short enough to fit wherever target fits. Create it exclusively all the same: a name
// taken already asks for another.
std::filesystem::path TemporaryFileNameBeside(const std::filesystem::path& target);

}  // namespace ostrel
