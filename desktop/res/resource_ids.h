// Resource ids shared by ostrel.rc and the program.
#pragma once

#define IDI_OSTREL 1
#define IDB_COMMANDS 101
#define IDB_INFORMATION 102
