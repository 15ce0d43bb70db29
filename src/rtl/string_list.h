// Lines of text, top first: what the list files and the list boxes hold.
#pragma once

#include <string>
#include <vector>

namespace rimfold {

using StringList = std::vector<std::u16string>;

}  // namespace rimfold
