// The interface in Japanese and English: which one a locale gets, the pane menu and a refused
// paste's message in each, and a change of language applied at once.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include "app/editor_commands.h"
#include "app/icon_resources.h"
#include "app/language.h"
#include "app/qt_ui_services.h"

namespace {

// The text of the message box the Paste button shows for `clipboard`; the box is answered.
QString RefusedPasteMessage(MainDialog& dialog, const QString& clipboard) {
  QGuiApplication::clipboard()->setText(clipboard);
  QString text;
  QTimer::singleShot(0, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
        text = box->text();
        box->button(QMessageBox::Ok)->click();
      }
    }
  });
  dialog.findChild<QPushButton*>(QStringLiteral("control%1").arg(MainDialog::kIdPaste))->click();
  return text;
}

TEST(LanguageTest, JapaneseForJaAndTheCLocaleEnglishOtherwise) {
  EXPECT_EQ(language::FromLocale(QLocale::c()), "ja");
  EXPECT_EQ(language::FromLocale(QLocale(QStringLiteral("ja_JP"))), "ja");
  EXPECT_EQ(language::FromLocale(QLocale(QStringLiteral("en_US"))), "en");
  EXPECT_EQ(language::FromLocale(QLocale(QStringLiteral("de_DE"))), "en");
}

TEST(LanguageTest, MenusAndMessagesFollowTheLanguageAtOnce) {
  const ButtonIcons icons = ButtonIcons::Load();
  QtUiServices services;
  MainDialog dialog(icons, nullptr, &services);
  services.SetOwner(&dialog);
  QAction* undo = dialog.Commands().Action(EditorCommands::Id::kUndo);

  ASSERT_TRUE(language::Install(QStringLiteral("en")));
  QCoreApplication::processEvents();
  EXPECT_EQ(undo->text(), "Undo");
  // Qt's own buttons (message boxes, file dialogs) speak the same language.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
  EXPECT_TRUE(RefusedPasteMessage(dialog, QStringLiteral("0x12"))
                  .startsWith("The clipboard text holds a character that is not a hexadecimal"));
  EXPECT_TRUE(RefusedPasteMessage(dialog, QStringLiteral("123"))
                  .startsWith("The clipboard text is not a wave"));

  ASSERT_TRUE(language::Install(QStringLiteral("ja")));
  QCoreApplication::processEvents();
  EXPECT_EQ(undo->text(), QString::fromUtf8("元に戻す"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
            QString::fromUtf8("キャンセル"));
  // Commands and submenus that live in files of their own are translated too.
  QStringList titles;
  for (QAction* action : dialog.Commands().PaneMenu()->actions()) titles << action->text();
  EXPECT_TRUE(titles.contains(QString::fromUtf8("形式を指定して貼り付け")))
      << titles.join(", ").toStdString();
  EXPECT_TRUE(titles.contains(QString::fromUtf8("低遅延プレビュー")));
  EXPECT_TRUE(titles.contains(QString::fromUtf8("ファイル")));
  EXPECT_EQ(RefusedPasteMessage(dialog, QStringLiteral("0x12")),
            QString::fromUtf8("数値以外の文字が含まれています。"));
  // The dialog's own control texts stay as they are in both languages.
  EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("control2"))->text(), "Exit");
}

}  // namespace
