#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QWidget;

namespace dalmain {

// The keys of an input dialog's fields: Enter and Down move the focus to the next field that
// takes it, Up to the previous one, and Enter on the last field runs onLastEnter (usually the
// dialog's OK). The fields get these keys before they see them themselves.
class FieldKeys : public QObject
{
public:
    FieldKeys(QObject *parent, QList<QWidget *> fields, std::function<void()> onLastEnter);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusFrom(int index, int direction);

    QList<QWidget *> m_fields;
    std::function<void()> m_onLastEnter;
};

}  // namespace dalmain
