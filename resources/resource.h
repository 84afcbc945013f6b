#pragma once
// Resource ids, shared by the program and the resource script.

#define IDI_SKYVANE 1
#define IDP_THUMB_NORMAL 101
#define IDP_THUMB_HOT 102
#define IDP_TRACK 103
