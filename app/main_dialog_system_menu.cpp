// The dialog's system menu: the window manager's Close and the About box, opened by Alt+Space
// and by a right click on the dialog's background, and the handler of its commands.
#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QShortcut>

#include "app/about_dialog.h"
#include "app/main_dialog.h"

namespace {

// The system menu's entries: what the window manager leaves to us, then the About item (string
// 101 of the resources).
const char* const kCloseItem = QT_TRANSLATE_NOOP("MainDialog", "閉じる(&C)\tAlt+F4");
const char* const kAboutItem = QT_TRANSLATE_NOOP("MainDialog", "Kestrom のﾊﾞｰｼﾞｮﾝ情報(&A)...");

// The default handling of system commands looks at the command without its low four bits.
constexpr uint32_t kCommandMask = 0xFFF0;

}  // namespace

void MainDialog::CreateSystemMenu() {
  systemMenu = new QMenu(this);
  closeItem = AddSystemCommand(tr(kCloseItem), kCommandClose);
  const QString about = tr(kAboutItem);
  if (!about.isEmpty()) {
    systemMenu->addSeparator();
    aboutItem = AddSystemCommand(about, kCommandAbout);
  }
  auto* menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
  connect(menuKey, &QShortcut::activated, this,
          [this] { OpenSystemMenu(mapToGlobal(QPoint(0, 0))); });
}

void MainDialog::RetranslateSystemMenu() {
  if (closeItem != nullptr) closeItem->setText(tr(kCloseItem));
  if (aboutItem != nullptr) aboutItem->setText(tr(kAboutItem));
}

QAction* MainDialog::AddSystemCommand(const QString& text, uint32_t command) {
  QAction* action = systemMenu->addAction(text);
  action->setData(command);
  // The command runs once the menu has closed, as a posted system command would.
  connect(action, &QAction::triggered, this, [this, command] {
    QMetaObject::invokeMethod(
        this, [this, command] { OnSysCommand(command, 0); }, Qt::QueuedConnection);
  });
  return action;
}

void MainDialog::OnSysCommand(uint32_t id, intptr_t param) {
  (void)param;
  switch (id & kCommandMask) {
    case kCommandAbout: {
      AboutDialog about(this);
      about.exec();
      break;
    }
    case kCommandClose:
      close();
      break;
    default:
      break;
  }
}

void MainDialog::OpenSystemMenu(const QPoint& globalPosition) {
  systemMenu->popup(globalPosition);
}

void MainDialog::contextMenuEvent(QContextMenuEvent* event) {
  // A right click on the dialog's own background (or its static text, which lets clicks
  // through) opens the system menu; the other controls keep theirs.
  QWidget* child = childAt(event->pos());
  if (event->reason() == QContextMenuEvent::Mouse && (child == nullptr || child == statusField)) {
    OpenSystemMenu(event->globalPos());
    event->accept();
    return;
  }
  event->ignore();
}
