// Resource identifiers shared by the resource script and the Win32 shell.
#pragma once

#define IDI_RIMFOLD 1
#define IDI_STOP 2
