#include "catalog/UserMarks.h"

#include "catalog/SoundFingerprint.h"

namespace {
constexpr char kHeader[] = "ZEL-1 Edit library marks 1";

QString Escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
            case '\\':
                out += QStringLiteral("\\\\");
                break;
            case '\t':
                out += QStringLiteral("\\t");
                break;
            case '\n':
                out += QStringLiteral("\\n");
                break;
            case '\r':
                out += QStringLiteral("\\r");
                break;
            default:
                out += c;
        }
    }
    return out;
}

QString Unescaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\') || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar next = text[++i];
        out += next == QLatin1Char('t')   ? QChar('\t')
               : next == QLatin1Char('n') ? QChar('\n')
               : next == QLatin1Char('r') ? QChar('\r')
                                          : next;
    }
    return out;
}

bool KnownKind(const QString& kind) {
    return kind == QLatin1String("tag") || kind == QLatin1String("favourite") ||
           kind == QLatin1String("hidden") || kind == QLatin1String("keep");
}
}  // namespace

QByteArray UserMarks::ToText() const {
    QString text = QString::fromLatin1(kHeader) + QLatin1Char('\n');
    for (const QString& folder : folders)
        text += QStringLiteral("folder\t") + Escaped(folder) + QLatin1Char('\n');
    for (const UserMark& mark : marks) {
        text += mark.kind + QLatin1Char('\t') + FingerprintText(mark.fingerprint);
        if (!mark.value.isEmpty())
            text += QLatin1Char('\t') + Escaped(mark.value);
        text += QLatin1Char('\n');
    }
    return text.toUtf8();
}

bool UserMarks::FromText(const QByteArray& text, int& skipped, QString& failure) {
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    skipped = 0;
    if (lines.isEmpty() || lines.first().trimmed() != QLatin1String(kHeader)) {
        failure = QStringLiteral("it is not a library marks file (its first line is not \"%1\")")
                      .arg(QLatin1String(kHeader));
        return false;
    }
    folders.clear();
    marks.clear();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields[0] == QLatin1String("folder") && fields.size() == 2) {
            folders.append(Unescaped(fields[1]));
            continue;
        }
        UserMark mark;
        if (!KnownKind(fields[0]) || fields.size() < 2 || fields.size() > 3 ||
            !FingerprintFromText(fields[1], mark.fingerprint)) {
            ++skipped;
            continue;
        }
        mark.kind = fields[0];
        if (fields.size() == 3)
            mark.value = Unescaped(fields[2]);
        marks.push_back(mark);
    }
    return true;
}
