#pragma once

#include <QFont>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringView>

#include <memory>

class TextMeasure;

// The window's measuring font (Name, Size, Weight) and the window's TextWidth and TextHeight, in twips.
// It is separate from the widgets' fonts: changing it never changes how any control is drawn.
// Measuring is cached per name and size (TextMeasure), so measuring thousands of cells stays cheap.
// The window owns it as a child object named "Font", so routines that are handed only the window
// find it by name, as they find the text boxes.
class WindowFont : public QObject {
    Q_OBJECT

public:
    static constexpr int kNormalWeight = 400;

    // Starts as the toolkit's default window font, normal weight; its object name is "Font".
    explicit WindowFont(QObject* parent = nullptr);

    // The window's font object; a RuntimeError (MissingMember) when the window has none.
    static WindowFont& of(QObject& window);

    QString name() const { return m_name; }
    void setName(const QString& name);
    int size() const { return m_size; }
    void setSize(int points);
    // Always the normal weight 400: the cell writer sets the size and name, never the boldness.
    int weight() const { return kNormalWeight; }

    // The width and height that text takes in the current font, in twips.
    float textWidth(QStringView text) const;
    float textHeight(QStringView text) const;

private:
    TextMeasure& measure() const;

    QString m_name;
    int m_size;
    mutable QHash<QString, std::shared_ptr<TextMeasure>> m_cache;
    mutable TextMeasure* m_current = nullptr;
};
