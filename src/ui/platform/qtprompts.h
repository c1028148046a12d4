#pragma once

#include "ui/platform/prompts.h"

class QWidget;

// The program's dialogs, shown with Qt's own message box, file dialog and colour picker.
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
    QWidget* m_parent;
};
