#include "cli/VaryCommands.h"

#include <QCommandLineParser>
#include <ostream>

#include "cli/LibrarianCommands.h"
#include "library/FileKinds.h"
#include "library/LibraryFiles.h"
#include "library/RawFile.h"
#include "model/ClassSound.h"
#include "model/SoundVariation.h"
#include "model/VariationRandom.h"

namespace {
using Operation = SoundVariation::Operation;

std::string Text(const QString& text) {
    return text.toStdString();
}
}  // namespace

VaryCommands::VaryCommands(ModuleMIDI& offline, std::ostream& out, std::ostream& err)
    : offline_(offline), out_(out), err_(err) {}

int VaryCommands::Usage(const std::string& problem) {
    err_ << "zel1-cli: " << problem << ". Try zel1-cli --help." << std::endl;
    return LibrarianCommands::kUsage;
}

bool VaryCommands::ReadSound(const QString& path, RawData& raw) {
    std::string failure;
    RawData file;
    if (!ReadSoundFile(Text(path), file, failure)) {
        err_ << "Sound Browser: " << failure << std::endl;
        return false;
    }
    // Through the model, so that the variation starts from what the editor would hold.
    ClassSound sound(offline_);
    sound.DecodeRawSound(file);
    raw = sound.EncodeRawSound();
    return true;
}

int VaryCommands::Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption amount("amount", "Percent 0-100.", "N", "25");
    const QCommandLineOption lock("lock", "Locked groups.", "GROUPS");
    const QCommandLineOption seed("seed", "Seed.", "N");
    const QCommandLineOption away("away", "Nudge away from the other sound.");
    const QCommandLineOption at("at", "Morph position 0-1.", "T");
    parser.addOptions({amount, lock, seed, away, at});
    if (!parser.parse(arguments))
        return Usage(Text(parser.errorText()));
    QStringList args = parser.positionalArguments();
    args.removeFirst();  // "vary"
    const QString operation = args.isEmpty() ? QString() : args.takeFirst();

    SoundVariation::Request request;
    request.locks = VariationLocks();
    bool number = false;
    if (operation == QLatin1String("randomise")) {
        request.operation = Operation::Randomise;
        request.locks = VariationLocks::Default();
    } else if (operation == QLatin1String("nudge")) {
        request.operation = parser.isSet(away) ? Operation::NudgeAway : Operation::NudgeTowards;
    } else if (operation == QLatin1String("morph")) {
        request.operation = Operation::Morph;
        request.at = parser.value(at).toDouble(&number);
        // Written so that "nan" fails too.
        if (!parser.isSet(at) || !number || !(request.at >= 0 && request.at <= 1))
            return Usage("vary morph needs --at with a number from 0 to 1");
    } else {
        return Usage("vary takes randomise, nudge or morph");
    }
    // An option the operation does not take would be ignored without a word.
    const bool morph = request.operation == Operation::Morph;
    const bool nudge = !morph && request.operation != Operation::Randomise;
    for (const auto& [option, takes] : {std::pair{&amount, !morph}, std::pair{&seed, !morph},
                                        std::pair{&away, nudge}, std::pair{&at, morph}}) {
        if (parser.isSet(*option) && !takes)
            return Usage("vary " + Text(operation) + " does not take --" +
                         Text(option->names().constFirst()));
    }
    const bool twoSounds = request.operation != Operation::Randomise;
    if (args.size() != (twoSounds ? 3 : 2))
        return Usage("wrong number of arguments for vary " + Text(operation));
    const QString output = args.back();
    if (KindOfFile(Text(output)) != FileKind::Sound)
        return Usage("vary writes a .zel file");

    request.amount = parser.value(amount).toInt(&number);
    if (!number || request.amount < 0 || request.amount > 100)
        return Usage("the amount must be a number from 0 to 100");
    if (parser.isSet(lock)) {
        const auto locks = VariationLocks::Parse(Text(parser.value(lock)));
        if (!locks)
            return Usage("unknown group in --lock \"" + Text(parser.value(lock)) + "\"");
        request.locks = *locks;
    }
    request.seed = VariationRandom::FreshSeed();
    if (parser.isSet(seed)) {
        request.seed = parser.value(seed).toULongLong(&number);
        if (!number)
            return Usage("the seed must be a whole number from 0 up");
    }

    RawData start;
    RawData other;
    if (!ReadSound(args[0], start) || (twoSounds && !ReadSound(args[1], other)))
        return LibrarianCommands::kFailed;
    const RawData result = SoundVariation::Apply(request, start, other);
    std::string failure;
    if (!WriteRawFile(result, Text(output), failure)) {
        err_ << "Sound Browser: " << failure << std::endl;
        return LibrarianCommands::kFailed;
    }
    out_ << "Saved a " << Text(operation) << " variation of " << Text(args[0]) << " to "
         << Text(output);
    if (request.operation != Operation::Morph)
        out_ << " (seed " << request.seed << ")";
    out_ << std::endl;
    return LibrarianCommands::kSuccess;
}
