#pragma once
// What the diagnosis (aedebug/Diagnosis.h) looks at, read from this machine: both views of the
// AeDebug key with their value types, AutoExclusionList, where Windows finds each view's program
// and who can change it, and Windows Error Reporting's settings. Read only when asked.

#include "aedebug/Diagnosis.h"

namespace jitswap {

SystemReading ReadSystemForDiagnosis();

} // namespace jitswap
