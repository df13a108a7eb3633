#pragma once
// The support module: log and settings, strings, probes, search, copy, INI values.
#include "support/AppSettings.h"
#include "support/Collection.h"
#include "support/DebugLog.h"
#include "support/FileCopy.h"
#include "support/FileSearch.h"
#include "support/IniValues.h"
#include "support/Probes.h"
#include "support/Strings.h"
