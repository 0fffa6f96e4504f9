#include "files/wave_document.h"

#include <array>
#include <map>
#include <optional>
#include <vector>

#include "files/document_escape.h"
#include "files/document_fields.h"
#include "formats/chip_target.h"
#include "formats/wave_length.h"
#include "tables/pitch_tables.h"

using namespace document_fields;

namespace {

constexpr std::string_view kMagic = "zpwave";
constexpr int32_t kNoteCount = PitchTables::kNoteCount;
// The fields every document has, in the order they are written.
constexpr std::array<std::string_view, 6> kRequiredKeys = {"length", "mode", "view",
                                                           "note",   "wave", "harmonics"};
constexpr std::string_view kTargetKey = "target";
constexpr std::string_view kFileKey = "file";
constexpr std::string_view kHeightKey = "height";

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  int32_t number = 1;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.push_back({number++, text.substr(0, end)});
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Checks the version line; an empty message when it is one this program reads.
TextMessage CheckVersionLine(const std::vector<Line>& lines, int32_t& readVersion) {
  std::string_view first = lines.empty() ? std::string_view() : lines.front().text;
  if (first.substr(0, 3) == "\xef\xbb\xbf") first.remove_prefix(3);  // a byte order mark
  first = Trim(first);
  std::optional<int32_t> version;
  if (first.substr(0, kMagic.size()) == kMagic) {
    const std::string_view rest = first.substr(kMagic.size());
    if (!rest.empty() && IsBlank(rest.front())) version = ParseNumber(Trim(rest));
  }
  if (!version || *version < 1) {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: this is not a wave document; it must begin with "
                                   "the line “zpwave %2”."),
                 1, {std::to_string(kWaveDocumentVersion)});
  }
  readVersion = *version;
  if (*version > kWaveDocumentVersion) {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: the document has format version %2, written by a "
                                   "later version of this program; this one reads up to "
                                   "version %3."),
                 1, {std::to_string(*version), std::to_string(kWaveDocumentVersion)});
  }
  return {};
}

bool IsSkipped(std::string_view text) {
  return text.empty() || text.front() == '#';
}

// Drops the end line and what follows it; refuses a document without one, or with more than
// blank lines and comments after it.
TextMessage CutAtEndLine(std::vector<Line>& lines) {
  for (size_t i = 1; i < lines.size(); ++i) {
    if (Trim(lines[i].text) != "end") continue;
    for (size_t j = i + 1; j < lines.size(); ++j) {
      if (!IsSkipped(Trim(lines[j].text))) {
        return Error(QT_TRANSLATE_NOOP("WaveDocument", "Line %1: there is text after “end”."),
                     lines[j].number);
      }
    }
    lines.resize(i);
    return {};
  }
  return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                 "Line %1: the document ends without its last line “end”; it "
                                 "may have been cut off."),
               lines.back().number);
}

// The fields of every "key = value" line after the version line; blank lines and lines starting
// with '#' are skipped, keys this version does not know are ignored.
TextMessage CollectFields(const std::vector<Line>& lines,
                          std::map<std::string_view, Field>& fields) {
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string_view text = Trim(lines[i].text);
    if (IsSkipped(text)) continue;
    const size_t equals = text.find('=');
    const std::string_view key =
        equals == std::string_view::npos ? std::string_view() : Trim(text.substr(0, equals));
    if (key.empty()) {
      return Error(
          QT_TRANSLATE_NOOP("WaveDocument", "Line %1: expected “key = value”, found “%2”."),
          lines[i].number, {Quote(text)});
    }
    bool known = key == kTargetKey || key == kFileKey || key == kHeightKey || IsBankKey(key);
    for (std::string_view required : kRequiredKeys) known = known || key == required;
    if (!known) continue;
    const auto [it, inserted] =
        fields.emplace(key, Field{lines[i].number, Trim(text.substr(equals + 1))});
    if (!inserted) {
      return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                     "Line %1: “%2” is given a second time (first on "
                                     "line %3)."),
                   lines[i].number, {std::string(key), std::to_string(it->second.line)});
    }
  }
  return {};
}

TextMessage ParseText(const std::map<std::string_view, Field>& fields, std::string_view key,
                      std::string& out) {
  const auto it = fields.find(key);
  if (it == fields.end()) return {};
  std::optional<std::string> text = UnescapeText(it->second.value);
  if (!text) {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: “%2” holds a backslash that is neither "
                                   "“\\\\” nor “\\x” with two hexadecimal digits."),
                 it->second.line, {std::string(key)});
  }
  out = std::move(*text);
  return {};
}

// The height: written since version 2; a version 1 document, or one without it, takes its
// target's. Under a chip target only the chip's own height is accepted.
TextMessage ParseHeight(const std::map<std::string_view, Field>& fields, int32_t version,
                        WaveDocument& document) {
  const std::optional<ChipTarget> chip = FindChipTarget(document.target);
  const int32_t implied = chip ? ChipHeight(*chip) : kFullHeight;
  const auto it = fields.find(kHeightKey);
  document.height = implied;
  if (version < 2 || it == fields.end()) return {};
  const Field& field = it->second;
  const std::optional<int32_t> height = ParseNumber(field.value);
  if (!height || !IsWaveHeight(*height)) {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: the height must be 16, 32, 64 or 256, not “%2”."),
                 field.line, {Quote(field.value)});
  }
  if (chip && *chip != ChipTarget::kNone && *height != implied) {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: a wave for the target “%2” has height %3, not %4."),
                 field.line, {document.target, std::to_string(implied), std::to_string(*height)});
  }
  document.height = *height;
  return {};
}

TextMessage ParseFields(const std::map<std::string_view, Field>& fields, WaveDocument& document) {
  WaveState& state = document.state;
  const Field& length = fields.at("length");
  const std::optional<int32_t> lengthValue = ParseNumber(length.value);
  if (!lengthValue || !IsWaveLength(*lengthValue)) {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: the length must be 2, 4, 8, 16, 32 or 64, "
                                   "not “%2”."),
                 length.line, {Quote(length.value)});
  }
  state.length = *lengthValue;

  const Field& mode = fields.at("mode");
  if (mode.value == "hold" || mode.value == "poly") {
    state.mode = mode.value == "hold" ? 1 : 2;
  } else {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: the mode must be “hold” or “poly”, not "
                                   "“%2”."),
                 mode.line, {Quote(mode.value)});
  }

  const Field& view = fields.at("view");
  if (view.value == "wave" || view.value == "harmonics") {
    state.view = view.value == "wave" ? 0 : 1;
  } else {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: the view must be “wave” or “harmonics”, "
                                   "not “%2”."),
                 view.line, {Quote(view.value)});
  }

  const Field& note = fields.at("note");
  const std::optional<int32_t> noteValue = ParseNumber(note.value);
  if (!noteValue || *noteValue >= kNoteCount) {
    return Error(QT_TRANSLATE_NOOP("WaveDocument",
                                   "Line %1: the note must be a whole number from 0 to "
                                   "%2, not “%3”."),
                 note.line, {std::to_string(kNoteCount - 1), Quote(note.value)});
  }
  state.note = *noteValue;

  TextMessage error = ParseWave(fields.at("wave"), state.length, state.samples);
  if (error.Empty()) error = ParseHarmonics(fields.at("harmonics"), state.length, state.amplitudes);
  if (error.Empty()) error = ParseText(fields, kTargetKey, document.target);
  if (error.Empty()) error = ParseText(fields, kFileKey, document.fileName);
  return error;
}

}  // namespace

std::string WriteWaveDocument(const WaveDocument& document) {
  const WaveState& state = document.state;
  const int32_t version = document.waves.size() > 1 ? kBankVersion : kEndLineVersion;
  std::string out = std::string(kMagic) + " " + std::to_string(version) + "\n";
  out += "length = " + std::to_string(state.length) + "\n";
  out += std::string("mode = ") + (state.mode == 2 ? "poly" : "hold") + "\n";
  out += std::string("view = ") + (state.view == 1 ? "harmonics" : "wave") + "\n";
  out += "note = " + std::to_string(state.note) + "\n";
  out += "wave = " + WaveText(state.samples) + "\n";
  out += "harmonics = " + HarmonicsText(state.amplitudes) + "\n";
  if (!document.target.empty()) out += "target = " + EscapeText(document.target) + "\n";
  // A chip target implies its height: the document never says otherwise.
  const std::optional<ChipTarget> chip = FindChipTarget(document.target);
  const int32_t height = chip && *chip != ChipTarget::kNone ? ChipHeight(*chip) : document.height;
  out += "height = " + std::to_string(IsWaveHeight(height) ? height : kFullHeight) + "\n";
  if (!document.fileName.empty()) out += "file = " + EscapeText(document.fileName) + "\n";
  out += BankText(document);
  out += "end\n";
  return out;
}

DocumentReadResult ReadWaveDocument(std::string_view text) {
  DocumentReadResult result;
  std::vector<Line> lines = SplitLines(text);
  int32_t version = 0;
  result.error = CheckVersionLine(lines, version);
  if (version > kWaveDocumentVersion) result.laterVersion = version;
  if (result.error.Empty() && version >= kEndLineVersion) result.error = CutAtEndLine(lines);
  if (!result.error.Empty()) return result;

  std::map<std::string_view, Field> fields;
  result.error = CollectFields(lines, fields);
  if (!result.error.Empty()) return result;
  for (std::string_view key : kRequiredKeys) {
    if (fields.count(key) == 0) {
      result.error =
          Error(QT_TRANSLATE_NOOP("WaveDocument", "Line %1: the document ends without “%2 = …”."),
                lines.back().number, {std::string(key)});
      return result;
    }
  }
  WaveDocument document;
  result.error = ParseFields(fields, document);
  if (result.error.Empty()) result.error = ParseHeight(fields, version, document);
  if (result.error.Empty() && version >= kBankVersion) {
    result.error = ParseBank(fields, lines.back().number, document);
  }
  if (!result.error.Empty()) return result;
  result.ok = true;
  result.document = std::move(document);
  return result;
}
