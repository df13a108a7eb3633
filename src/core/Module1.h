#pragma once
// The application core: startup and dispatch, finding Word, configurations,
// installing, command-line actions.
#include "core/AppState.h"
#include "core/CommandLine.h"
#include "core/ConfigFormat.h"
#include "core/ExitCodes.h"
#include "core/InstallConfig.h"
#include "core/InstallRun.h"
#include "core/LocateWord.h"
