// zel1-library-tree: writes a deterministic tree of sound files for the library's benchmark.
//   zel1-library-tree DIR FILES
// Four files in nineteen are banks of 20 sounds (some ALS files), the rest single sounds (a
// twentieth SND files), so FILES files hold about 5 * FILES sounds. Every
// hundredth single sound is a planted duplicate: a bank's sound saved again under another name.
// Every two hundredth file cannot be read (empty, or longer than its kind allows). It prints
// the number of files, readable sounds and planted duplicates.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <random>
#include <vector>

namespace {
constexpr int kSound = 138;
constexpr int kSnd = 147;
const char* const kWords[] = {"Pad",   "Bass",  "Lead",  "Bell", "Str",   "Organ", "Brass",
                              "Glass", "Warm",  "Dark",  "Soft", "Hard",  "Slow",  "Fast",
                              "Choir", "Pluck", "Sweep", "Keys", "Flute", "Harp"};

class Tree {
  public:
    explicit Tree(QString root) : root_(std::move(root)) {}

    std::vector<char> Sound(bool sndLayout) {
        std::vector<char> bytes(sndLayout ? kSnd : kSound);
        for (char& b : bytes)
            b = static_cast<char>(random_() & 0x7F);
        const std::string name =
            std::string(kWords[random_() % 20]) + " " + std::to_string(random_() % 1000);
        const int nameAt = sndLayout ? 136 : 0;
        for (int i = 0; i < 10; ++i)
            bytes[nameAt + i] = i < static_cast<int>(name.size()) ? name[i] : ' ';
        bytes[sndLayout ? 0 : 116] = static_cast<char>(random_() % 28);
        return bytes;
    }

    void Write(const QString& path, const std::vector<char>& bytes) {
        QDir().mkpath(path.section('/', 0, -2));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        ++files_;
    }

    QString PathOf(int index, const char* extension) const {
        return QStringLiteral("%1/set%2/sub%3/f%4.%5")
            .arg(root_)
            .arg(index / 1000)
            .arg(index / 100 % 10)
            .arg(index)
            .arg(QLatin1String(extension));
    }

    void Make(int files) {
        std::vector<std::vector<char>> bankSounds;  // the sources of planted duplicates
        for (int i = 0; i < files; ++i) {
            if (i % 200 == 199) {
                // Unreadable: empty single sounds, banks one byte too long.
                Write(PathOf(i, i % 400 == 399 ? "zas" : "zel"),
                      std::vector<char>(i % 400 == 399 ? 2762 : 0, 1));
                continue;
            }
            if (i % 19 < 4) {
                const bool als = i % 190 == 0;
                std::vector<char> bank;
                for (int s = 0; s < 20; ++s) {
                    std::vector<char> one = Sound(als);
                    if (!als && s == 3)
                        bankSounds.push_back(one);
                    bank.insert(bank.end(), one.begin(), one.end());
                }
                if (!als)
                    bank.push_back(0);
                Write(PathOf(i, als ? "als" : "zas"), bank);
                sounds_ += 20;
                continue;
            }
            if (i % 100 == 1 && !bankSounds.empty()) {
                std::vector<char> copy = bankSounds[random_() % bankSounds.size()];
                bankSounds.erase(std::find(bankSounds.begin(), bankSounds.end(), copy));
                const std::string name = "Copy " + std::to_string(i);
                for (int c = 0; c < 10; ++c)
                    copy[c] = c < static_cast<int>(name.size()) ? name[c] : ' ';
                Write(PathOf(i, "zel"), copy);
                ++planted_;
                ++sounds_;
                continue;
            }
            const bool snd = i % 20 == 2;
            Write(PathOf(i, snd ? "snd" : "zel"), Sound(snd));
            ++sounds_;
        }
    }

    int files_ = 0;
    int sounds_ = 0;
    int planted_ = 0;

  private:
    QString root_;
    std::mt19937 random_{20260101};
};
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: zel1-library-tree DIR FILES\n");
        return 2;
    }
    Tree tree(QString::fromLocal8Bit(argv[1]));
    tree.Make(std::atoi(argv[2]));
    std::printf("%d files, %d sounds, %d planted duplicates\n", tree.files_, tree.sounds_,
                tree.planted_);
    return 0;
}
