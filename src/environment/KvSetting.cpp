#include "environment/KvSetting.h"

namespace environment {

TkvSetting kvSetting;
int NumberFirm = 0;
std::string ProgramTitle;

} // namespace environment
