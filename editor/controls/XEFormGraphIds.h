#pragma once
// The parameter ids of the graphs that form pages carry, by the graph's
// control id in the form: what a form-built page hands the key-tracking,
// velocity-zone and split-bar managers it makes for them.

struct tagKeyTrkGraphIds {
  int keys[3];
  int intensities[4];
  int graphValue[1];
};

struct tagVeloZoneGraphIds {
  int on[4];
  int bottom[3];
  int fadeWidth[3];
  int fadeCurve[3];
  int scaleTop[1];
  int scaleBottom[1];
  int mode[1];
};

struct tagSplitBarGraphIds {
  int ids[2];
};

// False (and *out untouched) for a control id that is no such graph.
bool XEGetKeyTrkGraphIds(int controlId, tagKeyTrkGraphIds* out);
bool XEGetVeloZoneGraphIds(int controlId, tagVeloZoneGraphIds* out);
bool XEGetSplitBarGraphIds(int controlId, tagSplitBarGraphIds* out);
