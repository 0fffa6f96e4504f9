// The editor's own file: a WaveState and a few optional fields as readable "key = value" text
// under a version line; docs/file-format.md describes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/wave_state.h"
#include "formats/text_message.h"
#include "formats/wave_height.h"

struct WaveDocument {
  WaveState state;
  std::string target;            // chip the wave is made for, e.g. "gameboy"; empty: none
  int32_t height = kFullHeight;  // 16, 32, 64 or 256 levels; a chip's own under a chip target
  std::string fileName;          // the open file (session file only); empty: none
  // Every wave of a bank of more than one, `current` (from 0) being `state`'s data; empty: a bank
  // of one, `state`. The waves take `state`'s view and note.
  std::vector<WaveState> waves;
  int32_t current = 0;

  bool operator==(const WaveDocument&) const = default;
};

struct DocumentReadResult {
  bool ok = false;
  WaveDocument document;     // meaningful only when ok
  TextMessage error;         // why the text was refused
  int32_t laterVersion = 0;  // the version of a document refused as later than kWaveDocumentVersion
};

// The newest format version this program reads and writes. Version 2 added the height and the end
// line; a version 1 document reads with the height of its target (256 without one). Version 3
// added the bank; a document of one wave is still written as version 2.
inline constexpr int32_t kWaveDocumentVersion = 3;
inline constexpr int32_t kBankVersion = 3;
// From this version on a document ends with the line "end", written last, so that a document cut
// anywhere is refused; version 1 documents have no such line and still read.
inline constexpr int32_t kEndLineVersion = 2;
// The usual file name extension, without the dot.
inline constexpr const char* kWaveDocumentExtension = "zpwave";

// The document as text: the version line, then one "key = value" line per field, then "end", each
// line ended by "\n". The state must hold length samples and amplitudes (as WaveEditorModel::State
// gives).
std::string WriteWaveDocument(const WaveDocument& document);
// Reads a document; a damaged text or one of a later version is refused with a message naming
// the line, and gives no document.
DocumentReadResult ReadWaveDocument(std::string_view text);
