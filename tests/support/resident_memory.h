#pragma once

// Resident memory of this process in KiB (the working set on Windows), or -1
// when the system does not tell.
long long residentKiB();
