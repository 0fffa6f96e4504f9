#include "editor/edit_session.h"

#include <QCoreApplication>
#include <utility>

#include "editor/wave_shapes.h"
#include "formats/wave_bank.h"
#include "formats/wave_length.h"

EditSession::EditSession(AudioDevice* device, UiServices* services)
    : services(services),
      model(device, services),
      bank{std::make_shared<const std::vector<WaveState>>(1, model.State()), 0},
      history(
          model, [this] { StepEnded(); }, &bank) {
  connect(&history.Stack(), &QUndoStack::cleanChanged, this, &EditSession::DocumentChanged);
}

// The history's stack clears itself as it goes and would tell its listeners; they may already be
// gone, and so is the document they would read.
EditSession::~EditSession() {
  history.Stack().blockSignals(true);
}

void EditSession::Perform(const QString& name, const std::function<void()>& action) {
  FinishStroke();
  const EditHistory::Snapshot before = history.Take();
  action();
  history.Record(name, before);
  StepEnded();
}

void EditSession::StepEnded() {
  if (model.GetChipTarget() != lastTarget) {
    lastTarget = model.GetChipTarget();
    Q_EMIT TargetChanged(lastTarget);
  }
  Q_EMIT Changed();
}

void EditSession::StartStroke() {
  FinishStroke();
  strokeBefore = std::make_unique<EditHistory::Snapshot>(history.Take());
}

void EditSession::FinishStroke() {
  if (!strokeBefore) return;
  const std::unique_ptr<EditHistory::Snapshot> before = std::move(strokeBefore);
  history.Record(QCoreApplication::translate("EditSession", "Draw"), *before);
  StepEnded();
}

void EditSession::Undo() {
  FinishStroke();
  history.Undo();
}

void EditSession::Redo() {
  FinishStroke();
  history.Redo();
}

void EditSession::SetTarget(ChipTarget target) {
  Perform(QCoreApplication::translate("EditSession", "Target"), [this, target] {
    model.SetChipTarget(target);
    model.ConformToTarget();
  });
}

std::string EditSession::DocumentTarget() const {
  const ChipTarget target = model.GetChipTarget();
  return target == ChipTarget::kNone ? std::string() : ChipTargetOf(target).name;
}

void EditSession::TakeDocumentTarget(const std::string& name, int32_t height) {
  const std::optional<ChipTarget> target = FindChipTarget(name);
  if (target) model.SetChipTarget(*target);
  if (!target || *target == ChipTarget::kNone) model.SetWaveHeight(height);
}

void EditSession::SetHeight(int32_t levels) {
  if (model.GetChipTarget() != ChipTarget::kNone || !IsWaveHeight(levels)) return;
  Perform(QCoreApplication::translate("EditSession", "Height"), [this, levels] {
    model.SetWaveHeight(levels);
    model.ConformToTarget();
  });
}

void EditSession::SetDocument(SessionDocument newDocument) {
  document = std::move(newDocument);
  Q_EMIT DocumentChanged();
}

bool EditSession::IsClean() const {
  return history.Stack().isClean();
}

void EditSession::MarkClean(bool clean) {
  if (clean) {
    history.Stack().setClean();
  } else {
    history.Stack().resetClean();
  }
  Q_EMIT DocumentChanged();
}

WaveState EditSession::WaveAt(int32_t index) const {
  if (index == bank.current) return model.State();
  return bank.waves->at(static_cast<size_t>(index));
}

std::vector<WaveState> EditSession::Waves() const {
  std::vector<WaveState> waves = *bank.waves;
  waves[static_cast<size_t>(bank.current)] = model.State();
  return waves;
}

void EditSession::PutBank(std::vector<WaveState> waves, int32_t current) {
  WaveState state = waves[static_cast<size_t>(current)];
  const WaveState now = model.State();
  state.view = now.view;
  state.note = now.note;
  bank = {std::make_shared<const std::vector<WaveState>>(std::move(waves)), current};
  model.Restore(state);
}

void EditSession::ChooseWave(int32_t index) {
  if (index < 0 || index >= WaveCount() || index == bank.current) return;
  Perform(QCoreApplication::translate("EditSession", "Choose Wave"),
          [this, index] { PutBank(Waves(), index); });
}

void EditSession::AddWave() {
  if (WaveCount() >= static_cast<int32_t>(kMaxBankWaves)) return;
  Perform(QCoreApplication::translate("EditSession", "Add Wave"), [this] {
    std::vector<WaveState> waves = Waves();
    const int32_t at = bank.current + 1;
    waves.insert(waves.begin() + at, waves[static_cast<size_t>(bank.current)]);
    PutBank(std::move(waves), at);
  });
}

void EditSession::DeleteWave() {
  if (WaveCount() <= 1) return;
  Perform(QCoreApplication::translate("EditSession", "Delete Wave"), [this] {
    std::vector<WaveState> waves = Waves();
    waves.erase(waves.begin() + bank.current);
    const int32_t current = std::min(bank.current, static_cast<int32_t>(waves.size()) - 1);
    PutBank(std::move(waves), current);
  });
}

void EditSession::MoveWave(int32_t offset) {
  MoveWaveTo(bank.current, std::clamp(bank.current + offset, 0, WaveCount() - 1));
}

void EditSession::MoveWaveTo(int32_t from, int32_t to) {
  if (from < 0 || from >= WaveCount() || to < 0 || to >= WaveCount() || to == from) return;
  Perform(QCoreApplication::translate("EditSession", "Move Wave"), [this, from, to] {
    std::vector<WaveState> waves = Waves();
    const WaveState moved = waves[static_cast<size_t>(from)];
    waves.erase(waves.begin() + from);
    waves.insert(waves.begin() + to, moved);
    PutBank(std::move(waves), to);
  });
}

void EditSession::ClearBank() {
  if (WaveCount() <= 1) return;
  Perform(QCoreApplication::translate("EditSession", "Clear Bank"),
          [this] { PutBank({model.State()}, 0); });
}

bool EditSession::ReplaceBank(const QString& name, std::vector<WaveState> waves, int32_t current) {
  if (waves.empty() || waves.size() > kMaxBankWaves || current < 0 ||
      current >= static_cast<int32_t>(waves.size())) {
    return false;
  }
  for (const WaveState& wave : waves) {
    if (!IsWaveLength(static_cast<size_t>(std::max(wave.length, 0))) ||
        wave.samples.size() != static_cast<size_t>(wave.length) ||
        wave.amplitudes.size() != static_cast<size_t>(wave.length) ||
        (wave.mode != WaveEditorModel::kHold && wave.mode != WaveEditorModel::kPoly)) {
      return false;
    }
  }
  Perform(name, [this, &waves, current] { PutBank(std::move(waves), current); });
  return true;
}

WaveBank EditSession::Bank() const {
  WaveBank signedBank;
  for (const WaveState& wave : Waves()) signedBank.waves.push_back(SignedSamples(wave.samples));
  return signedBank;
}

std::string EditSession::BankText() const {
  const WaveFormatId format =
      Target() == ChipTarget::kNone ? WaveFormatId::kHex : ChipTargetOf(Target()).copyFormat;
  return WriteBankText(Bank(), format);
}

BankReadResult EditSession::PasteBank(std::string_view text) {
  BankReadResult read = ReadBankText(text);
  if (!read.ok) return read;
  TakeBank(QCoreApplication::translate("EditSession", "Paste Bank"), read.bank);
  return read;
}

bool EditSession::TakeBank(const QString& name, const WaveBank& bank,
                           std::optional<int32_t> height) {
  bool fitted = false;
  Perform(name, [this, &bank, height, &fitted] {
    if (height) {
      model.SetWaveHeight(*height);
      model.SetHarmonicsView(WaveEditorModel::kWaveView);
    }
    std::vector<WaveState> waves;
    for (const std::vector<int8_t>& values : bank.waves) {
      model.ReplaceWave(values);
      fitted = fitted || SignedSamples(model.Samples()) != values;
      waves.push_back(model.State());
    }
    PutBank(std::move(waves), 0);
  });
  return fitted;
}

bool EditSession::MorphFill(int32_t a, int32_t b, int32_t steps, MorphKind kind) {
  const int32_t count = WaveCount();
  if (a < 0 || b >= count || a >= b || steps < kMinMorphSteps || steps > kMaxMorphSteps ||
      count - (b - a - 1) + steps > static_cast<int32_t>(kMaxBankWaves)) {
    return false;
  }
  std::vector<WaveState> waves = Waves();
  const std::vector<SignedWave> morphed = MorphWaves(
      SignedSamples(waves[static_cast<size_t>(a)].samples),
      SignedSamples(waves[static_cast<size_t>(b)].samples), steps, kind, model.WaveHeight());
  if (morphed.size() != static_cast<size_t>(steps) + 2) return false;
  Perform(QCoreApplication::translate("EditSession", "Morph"), [&] {
    std::vector<WaveState> between;
    for (size_t k = 1; k + 1 < morphed.size(); ++k) {
      model.ReplaceWave(morphed[k]);
      between.push_back(model.State());
    }
    waves.erase(waves.begin() + a + 1, waves.begin() + b);
    waves.insert(waves.begin() + a + 1, between.begin(), between.end());
    PutBank(std::move(waves), a);
  });
  return true;
}
