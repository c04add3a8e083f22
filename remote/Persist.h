#pragma once
// Data files and host chunks: parts of the image as native chunks (a 32-byte
// header and a body chosen by the kind of data), optionally behind a VST 2
// program or bank chunk header. Sizes are big-endian; records are stored as
// they are in the image.
#include <iosfwd>

#include "remote/FTYPE.h"
#include "remote/PERSISTPARAMS.h"
#include "remote/fileioerror.h"

class CDirtyFlagSet;

namespace Oskend {

// Writes one chunk of params->type. False on any failure, nothing thrown. The
// chunk is built whole before anything reaches the stream, so a chunk that
// cannot be made writes nothing. The byte is not used.
bool PersistSaveStream(std::ostream& out, unsigned char, const PERSISTPARAMS* params);
// As above into a file, which is replaced only when the whole chunk is on
// disk (an old file survives a failed save).
bool PersistSaveStream(const char* path, unsigned char, const PERSISTPARAMS* params);

// Reads one chunk at the stream's position into params->image, sets
// params->type (and, for bank chunks, params->filter) and marks in dirty what
// changed. A load is all or nothing: on failure it throws fileioerror and
// neither the image, params nor dirty change.
bool PersistLoadStream(std::istream& in, unsigned char, PERSISTPARAMS* params,
                       CDirtyFlagSet& dirty);
bool PersistLoadStream(const char* path, unsigned char, PERSISTPARAMS* params,
                       CDirtyFlagSet& dirty);

// Tells what a stream holds without loading it: the native type 1..7 (also
// inside a VST container) and the byte 140. Both outputs may be null and are
// set to 0 first. On success the read position is after the native header;
// on failure it is where it was.
bool PersistFindStreamType(std::istream& in, FTYPE* type, unsigned char* extra);
bool PersistFindStreamType(const char* path, FTYPE* type, unsigned char* extra);

}  // namespace Oskend
