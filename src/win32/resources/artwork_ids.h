// Numeric resource ids of the artwork; the pictures themselves are named resources (artwork.rc).
#ifndef NEXOLANT_WIN32_RESOURCES_ARTWORK_IDS_H_
#define NEXOLANT_WIN32_RESOURCES_ARTWORK_IDS_H_

// The application icon (16, 24, 32, 48 and 256 pixels). It is the only icon resource and has the
// lowest id, so the shell shows it for Nexolant.exe.
#define IDI_MAINICON 1

#endif  // NEXOLANT_WIN32_RESOURCES_ARTWORK_IDS_H_
