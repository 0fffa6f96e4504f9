// What the dialog's widget tests share: the controls by their ids, the wave's values, and a
// fixture holding a dialog on fake UI services and a capturing device.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/icon_resources.h"
#include "app/main_dialog.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/fake_ui_services.h"

// The control `id` of the dialog, checked to carry its id.
template <typename T = QPushButton>
T* Control(QWidget& dialog, int id) {
  T* control = dialog.findChild<T*>(QStringLiteral("control%1").arg(id));
  EXPECT_NE(control, nullptr) << "control " << id;
  if (control != nullptr) {
    EXPECT_EQ(control->property("controlId").toInt(), id);
  }
  return control;
}

inline QComboBox* LengthList(QWidget& dialog) {
  return Control<QComboBox>(dialog, MainDialog::kIdLengthList);
}

// The samples as signed values, -128..127.
inline std::vector<int> Values(const WaveEditorModel& model) {
  std::vector<int> values;
  for (uint16_t code : model.Samples()) values.push_back(static_cast<int8_t>(code & 0xff));
  return values;
}

// A dialog built afresh for each test on fake UI services and a capturing device.
class DialogTest : public ::testing::Test {
 protected:
  template <typename T = QPushButton>
  T* Control(int id) {
    return ::Control<T>(*dialog, id);
  }
  QComboBox* LengthList() { return ::LengthList(*dialog); }
  WaveEditor& Pane() { return dialog->Pane(); }
  WaveEditorModel& Model() { return dialog->Pane().Model(); }

  ButtonIcons icons = ButtonIcons::Load();
  FakeUiServices services;
  CaptureAudioDevice device;
  std::unique_ptr<MainDialog> dialog = std::make_unique<MainDialog>(icons, &device, &services);
};
