// Text helpers of the designer: the passage of texts to and from the engine,
// the number texts of the windows, and the list item texts of signals and
// service references.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace orven::designer {

// Texts cross the engine boundary as 8-bit Latin-1 strings.
QByteArray toEngine(const QString& text);
QString fromEngine(const char* bytes, int maxLength);

// A buffer of the given size, filled with blanks, for one engine result.
// text() is the buffer cut at its first zero byte (CutAtNul).
class EngineBuffer {
  public:
    explicit EngineBuffer(int size);
    char* data() { return bytes_.data(); }
    int size() const { return size_; }
    QString text() const;
    QString trimmed() const;

  private:
    int size_;
    std::vector<char> bytes_;
};

// Removes the blanks (spaces only) at both ends.
QString trimBlanks(const QString& text);
// A number written with its sign position: " 5" for 5, "-5" for -5.
QString withSign(long long number);
// The value of the leading number of a text (leading blanks skipped; a text
// that does not begin with a number gives 0).
double leadingNumber(const QString& text);
// Rounds to the nearest integer, halves to even.
long long roundHalfEven(double value);
// A time of a time restriction: "INF" when negative, otherwise the shortest
// decimal text with at most seven significant digits and no zero before
// the point (0 gives "0", 2.5 gives "2.5", 0.5 gives ".5").
QString timeText(float time);
// The value of a time text: -1 when it begins with "INF", else its number.
float timeValue(const QString& text);

// The list item of a signal (kind "N" or "E").
QString formatSignalItem(int position, const QString& name, const QString& kind,
                         const QString& code);

// The text of a service reference and its inverse.
struct ServiceReference {
    QString module;
    QString service;
    float minimum = 0;
    float maximum = 0;
};
QString formatServiceReference(const QString& module, const QString& service, float minimum,
                               float maximum);
ServiceReference parseServiceReference(const QString& text);

}  // namespace orven::designer
