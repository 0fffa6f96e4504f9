// The dialog's controls as its template lays them out, in dialog units and in tab order, and
// their texts in the interface's language.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <array>

#include "app/icon_button.h"
#include "app/main_dialog.h"

void MainDialog::Bind(QWidget* control, int id, const QRect& unitsRect) {
  control->setProperty("controlId", id);
  control->setObjectName(QStringLiteral("control%1").arg(id));
  control->setGeometry(
      units.Rect(unitsRect.x(), unitsRect.y(), unitsRect.width(), unitsRect.height()));
}

QPushButton* MainDialog::AddPushButton(int id, const char* text, const QRect& unitsRect) {
  auto* button = new QPushButton(tr(text), this);
  // Enter presses the button that has the focus and otherwise sends the OK command; no button
  // is the dialog's default.
  button->setAutoDefault(false);
  Bind(button, id, unitsRect);
  return button;
}

IconButton* MainDialog::AddIconButton(int id, const char* text, const QRect& unitsRect) {
  auto* button = new IconButton(tr(text), this);
  button->setAutoDefault(false);
  Bind(button, id, unitsRect);
  return button;
}

QComboBox* MainDialog::AddList(int id, const QRect& unitsRect) {
  auto* list = new QComboBox(this);
  list->setEditable(false);
  list->setInsertPolicy(QComboBox::NoInsert);
  // The list drops below the control with its own height and a scroll bar, rather than opening
  // over it as a menu of every item.
  list->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  Bind(list, id, unitsRect);
  // The template's height is that of the dropped list; the closed list is as high as the style
  // draws it.
  list->setProperty("droppedHeight", units.Y(unitsRect.height()));
  list->resize(list->width(), list->sizeHint().height());
  return list;
}

void MainDialog::CreateControls() {
  // Template order, which is also the tab order.
  exitButton = AddPushButton(kIdExit, QT_TR_NOOP("Exit"), QRect(314, 237, 36, 14));
  playButton = AddIconButton(kIdPlay, QT_TR_NOOP("Play"), QRect(8, 237, 14, 14));
  stopButton = AddIconButton(kIdStop, QT_TR_NOOP("Stop"), QRect(28, 237, 14, 14));
  copyButton = AddPushButton(kIdCopy, QT_TR_NOOP("Copy"), QRect(140, 237, 40, 14));
  lengthList = AddList(kIdLengthList, QRect(307, 27, 45, 75));
  pitchList = AddList(kIdPitchList, QRect(307, 45, 45, 82));
  statusField = new QLabel(this);
  statusField->setTextFormat(Qt::PlainText);
  statusField->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  statusField->setWordWrap(true);
  Bind(statusField, kIdStatus, QRect(306, 74, 46, 36));
  holdButton = AddIconButton(kIdHold, QT_TR_NOOP("Hold"), QRect(9, 7, 15, 16));
  polyButton = AddIconButton(kIdPoly, QT_TR_NOOP("Poly"), QRect(25, 7, 15, 16));
  pasteButton = AddPushButton(kIdPaste, QT_TR_NOOP("Paste"), QRect(187, 237, 40, 14));
  harmonicsButton = AddIconButton(kIdHarmonics, QT_TR_NOOP("Harmonics"), QRect(48, 7, 15, 16));

  RetranslateUi();
  for (IconButton* button : {playButton, holdButton, polyButton, harmonicsButton}) {
    button->ShowState();
  }

  const std::array<QWidget*, 10> tabOrder = {exitButton,  playButton,     stopButton, copyButton,
                                             lengthList,  pitchList,      holdButton, polyButton,
                                             pasteButton, harmonicsButton};
  for (size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

  connect(playButton, &QPushButton::clicked, this, &MainDialog::OnPlay);
  connect(stopButton, &QPushButton::clicked, this, &MainDialog::OnStop);
  connect(copyButton, &QPushButton::clicked, this, &MainDialog::OnCopy);
  connect(pitchList, &QComboBox::activated, this, &MainDialog::OnPitchChanged);
  connect(lengthList, &QComboBox::activated, this, &MainDialog::OnLengthChanged);
  connect(holdButton, &QPushButton::clicked, this, &MainDialog::OnHold);
  connect(polyButton, &QPushButton::clicked, this, &MainDialog::OnPoly);
  connect(pasteButton, &QPushButton::clicked, this, &MainDialog::OnPaste);
  connect(harmonicsButton, &QPushButton::clicked, this, &MainDialog::OnHarmonics);
  connect(exitButton, &QPushButton::clicked, this, &MainDialog::reject);
}

void MainDialog::RetranslateUi() {
  // Names for assistive technology and the icon buttons' tooltips; the visible texts of the
  // controls stay as they are in every language.
  exitButton->setAccessibleName(tr("Exit"));
  playButton->setAccessibleName(tr("Play"));
  stopButton->setAccessibleName(tr("Stop"));
  copyButton->setAccessibleName(tr("Copy"));
  lengthList->setAccessibleName(tr("Wave length"));
  pitchList->setAccessibleName(tr("Pitch"));
  // On Linux a list's accessible name is its current item; its description carries what it is.
  lengthList->setAccessibleDescription(lengthList->accessibleName());
  pitchList->setAccessibleDescription(pitchList->accessibleName());
  statusField->setAccessibleName(tr("Pointer position"));
  holdButton->setAccessibleName(tr("Hold"));
  polyButton->setAccessibleName(tr("Poly"));
  pasteButton->setAccessibleName(tr("Paste"));
  harmonicsButton->setAccessibleName(tr("Harmonics"));
  playButton->setToolTip(tr("Play"));
  stopButton->setToolTip(tr("Stop"));
  holdButton->setToolTip(tr("Hold"));
  polyButton->setToolTip(tr("Poly"));
  harmonicsButton->setToolTip(tr("Harmonics"));
  pane.setAccessibleName(tr("Wave editor"));
  RetranslateSystemMenu();
}

void MainDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) RetranslateUi();
  QDialog::changeEvent(event);
}
