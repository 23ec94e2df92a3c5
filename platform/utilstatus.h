#pragma once

/**
 * The phone's battery level and signal quality, 0 (empty, no signal) to 5
 * (full). Each first reads its override file under the device root,
 * "/ezxlocal/Kestrow/run/battery" or "/ezxlocal/Kestrow/run/signal" (one
 * number 0..5), then the machine's own battery or wireless link, and reports
 * 5 when neither is there. Values outside 0..5 are clamped.
 */
int UTIL_GetBatteryLevel();
int UTIL_GetSignalQuality();
