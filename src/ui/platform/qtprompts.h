#pragma once

#include "ui/platform/prompts.h"

#include <memory>

class QProgressDialog;
class QWidget;

// The program's dialogs, shown with Qt's own message box, file dialog, colour picker and
// progress dialog.
class QtPrompts : public Prompts {
  public:
    explicit QtPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    MsgAnswer messageBox(const MessageSpec& message) override;
    QString openFileName(const QString& filterList, const QString& startFolder) override;
    QString saveFileName(const QString& filterList, const QString& suggestedPath) override;
    ColorRef chooseColor(ColorRef current) override;
    WorkEnd work(const QString& title, const QString& text,
                 const std::function<int()>& nextPiece) override;

  private:
    [[nodiscard]] std::unique_ptr<QProgressDialog> progressDialog(const QString& title,
                                                                  const QString& text) const;

    QWidget* m_parent;
};
