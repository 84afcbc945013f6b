#pragma once
// Resource ids, shared by the program and the resource script (plain
// #defines so that windres can read them too).

// Icons: the application's icon, shown on the main window and in the tray.
#define IDI_SKYVANE 1

// The application manifest (resource type 24, RT_MANIFEST).
#define IDR_MANIFEST 1

// Pictures, stored as PNG files in RCDATA resources (type 10).
#define IDP_THUMB_NORMAL 101
#define IDP_THUMB_HOT 102
#define IDP_TRACK 103
// The ghost panel's icons: cancel all, pin, unpin.
#define IDP_CANCEL_ALL 104
#define IDP_PIN 105
#define IDP_PINNED 106
// The tip dialog's picture of a tray balloon.
#define IDP_BALLOON 107
// The help window's page and its guide to the manual method.
#define IDP_HELP_PAGE 108
#define IDP_HELP_GUIDE 109
