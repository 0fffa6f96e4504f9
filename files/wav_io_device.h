// libsndfile reading and writing through a QIODevice (a QFile or an in-memory QBuffer), so sound
// files take the same paths, names and atomic writes as every other file. Used inside files/.
#pragma once

#include <sndfile.h>

class QIODevice;

// Virtual I/O callbacks whose user data is the open QIODevice*.
SF_VIRTUAL_IO QIODeviceVirtualIo();
