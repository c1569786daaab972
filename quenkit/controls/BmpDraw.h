#pragma once

#include "quenkit/controls/ControlsExport.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

// Pictures and the column header strip.
namespace quenkit {

// Shows the bitmap named name (see Bitmaps.h), scaled to the widget. Its size hint is the
// bitmap's own size.
class QUENKIT_CONTROLS_EXPORT BmpDraw : public QWidget
{
    Q_OBJECT
public:
    explicit BmpDraw(const QString &name = QString(), QWidget *parent = nullptr);

    void setBitmap(const QString &name);
    QString bitmap() const { return m_name; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_name;
};

// Shows a picture file. A relative name ("BMP\TITLE.BMP") is taken from the program's folder
// (the SystemDir setting); an absolute path or a Qt resource path is used as it is. Shows
// nothing when the file cannot be read.
class QUENKIT_CONTROLS_EXPORT BmpDraw2 : public QWidget
{
    Q_OBJECT
public:
    explicit BmpDraw2(const QString &fileName = QString(), QWidget *parent = nullptr);

    void setFileName(const QString &fileName);
    QString fileName() const { return m_fileName; }
    // The file actually read; empty when the name is empty.
    QString resolvedPath() const { return m_path; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_fileName;
    QString m_path;
};

// A row of raised column headings. The captions are given as one text separated by "@"
// ("フリガナ@氏名"); the columns share the width equally unless widths are set. A column
// without a width set takes an equal share of what the set widths leave.
class QUENKIT_CONTROLS_EXPORT Header : public QWidget
{
    Q_OBJECT
public:
    explicit Header(const QString &captions = QString(), QWidget *parent = nullptr);

    void setCaptions(const QString &captions);
    QStringList captions() const { return m_captions; }
    void setColumnWidths(const QList<int> &widths);
    // The left and right edge of each column for the current width.
    QList<QPair<int, int>> columnEdges() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_captions;
    QList<int> m_widths;
};

}  // namespace quenkit
