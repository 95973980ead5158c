#include "Texts.h"

#include <cmath>
#include <cstring>

namespace orven::designer {

QByteArray toEngine(const QString& text) {
    return text.toLatin1();
}

QString fromEngine(const char* bytes, int maxLength) {
    int n = 0;
    while (n < maxLength && bytes[n] != '\0') {
        ++n;
    }
    return QString::fromLatin1(bytes, n);
}

EngineBuffer::EngineBuffer(int size)
    : size_(size < 1 ? 1 : size), bytes_(static_cast<std::size_t>(size_) + 1, ' ') {
    bytes_.back() = '\0';
}

QString EngineBuffer::text() const {
    return fromEngine(bytes_.data(), size_);
}

QString EngineBuffer::trimmed() const {
    return trimBlanks(text());
}

QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' ')) {
        ++begin;
    }
    while (end > begin && text[end - 1] == QLatin1Char(' ')) {
        --end;
    }
    return text.mid(begin, end - begin);
}

QString withSign(long long number) {
    return number < 0 ? QString::number(number) : QLatin1Char(' ') + QString::number(number);
}

double leadingNumber(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    while (i < n && (bytes[i] == ' ' || bytes[i] == '\t')) {
        ++i;
    }
    const qsizetype start = i;
    if (i < n && (bytes[i] == '+' || bytes[i] == '-')) {
        ++i;
    }
    bool digits = false;
    while (i < n && bytes[i] >= '0' && bytes[i] <= '9') {
        ++i;
        digits = true;
    }
    if (i < n && bytes[i] == '.') {
        ++i;
        while (i < n && bytes[i] >= '0' && bytes[i] <= '9') {
            ++i;
            digits = true;
        }
    }
    if (!digits) {
        return 0;
    }
    qsizetype end = i;
    if (i < n && (bytes[i] == 'e' || bytes[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < n && (bytes[j] == '+' || bytes[j] == '-')) {
            ++j;
        }
        if (j < n && bytes[j] >= '0' && bytes[j] <= '9') {
            while (j < n && bytes[j] >= '0' && bytes[j] <= '9') {
                ++j;
            }
            end = j;
        }
    }
    bool ok = false;
    double v = QByteArray(bytes.constData() + start, end - start).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

long long roundHalfEven(double value) {
    double r = std::nearbyint(value);  // the default rounding mode: halves to even
    if (!std::isfinite(r)) {
        return 0;
    }
    return static_cast<long long>(r);
}

QString timeText(float time) {
    if (time < 0) {
        return QStringLiteral("INF");
    }
    QString t = QString::number(static_cast<double>(time), 'g', 7);
    if (t.startsWith(QLatin1String("0."))) {
        t.remove(0, 1);
    }
    return t;
}

float timeValue(const QString& text) {
    if (text.startsWith(QLatin1String("INF"))) {
        return -1.0f;
    }
    return static_cast<float>(leadingNumber(text));
}

QString formatSignalItem(int position, const QString& name, const QString& kind,
                         const QString& code) {
    const QString n = trimBlanks(name);
    const QString c = trimBlanks(code);
    if (kind == QLatin1String("N")) {
        return "(N) " + n + ", " + c;
    }
    if (kind == QLatin1String("E")) {
        return "(E) " + n + "  =>  " + c;
    }
    return "<error in the type of the signal #" + QString::number(position) + ">";
}

QString formatServiceReference(const QString& module, const QString& service, float minimum,
                               float maximum) {
    const QString m = trimBlanks(module);
    const QString s = trimBlanks(service);
    if (s.isEmpty()) {
        return "[" + m + "]";
    }
    return "[" + m + "]:[" + s + "]@(" + timeText(minimum) + "," + timeText(maximum) + ")";
}

ServiceReference parseServiceReference(const QString& text) {
    ServiceReference ref;
    const qsizetype open = text.indexOf(QLatin1Char('['));
    if (open < 0) {
        return ref;
    }
    qsizetype close = text.indexOf(QLatin1Char(']'), open + 1);
    if (close < 0) {
        ref.module = text.mid(open + 1);
        return ref;
    }
    ref.module = text.mid(open + 1, close - open - 1);
    if (close == text.size() - 1) {
        return ref;  // a whole module: empty service, (0, 0)
    }
    ref.maximum = -1;
    const qsizetype open2 = text.indexOf(QLatin1Char('['), close + 1);
    if (open2 < 0) {
        return ref;
    }
    const qsizetype close2 = text.indexOf(QLatin1Char(']'), open2 + 1);
    if (close2 < 0) {
        ref.service = text.mid(open2 + 1);
        return ref;
    }
    ref.service = text.mid(open2 + 1, close2 - open2 - 1);
    if (close2 + 1 < text.size() && text[close2 + 1] == QLatin1Char('@')) {
        const qsizetype minStart = close2 + 3;
        const qsizetype comma = text.indexOf(QLatin1Char(','), minStart);
        const QString minText =
            comma < 0 ? text.mid(minStart) : text.mid(minStart, comma - minStart);
        ref.minimum = timeValue(minText);
        if (comma >= 0) {
            const qsizetype paren = text.indexOf(QLatin1Char(')'), comma + 1);
            ref.maximum =
                timeValue(paren < 0 ? text.mid(comma + 1) : text.mid(comma + 1, paren - comma - 1));
        }
    }
    return ref;
}

}  // namespace orven::designer
