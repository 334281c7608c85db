// Resource ids of the setup program.
#pragma once

#define IDS_CAPTION 1

// The install manifest: primary files, then the pictures by subfolder.
#define IDS_FILE_FIRST 51
#define IDS_FILE_LAST 56
#define IDS_PICTURE_FIRST 101
#define IDS_PICTURE_LAST 126
