#include "launch/program_runs.h"

#include "launch/emulator_arguments.h"
#include "text/paths.h"

namespace tarvo {

std::string WhyItCannotStart(const StartRequest& request, Files& files, char separator, const Cancellable& cancel) {
    if (!request.rom.empty() && !files.FileLength(request.rom)) {
        return "the ROM " + FileNamePart(request.rom, separator) + " is gone; F5 reads the folder again";
    }
    // The working folder is Tarvo's own: if that is gone, the emulator is
    // not to blame.
    if (!cancel.Cancelled() && !files.FolderExists(request.workingFolder)) {
        return "its working folder " + ShortenedForDisplay(request.workingFolder, separator) + " is gone";
    }
    return {};
}

std::string FillInParameters(StartRequest& request, char separator,
                             const std::function<std::string(const std::string&)>& pathsFor) {
    const RomPlaceholders rom{request.parameters, request.rom, request.parameterIsPath};
    if (separator == '\\') {
        if (request.argsSetting.empty()) return {};
        ExpandedParameterString expanded = ParameterStringFor(request.argsSetting, rom, separator);
        request.parameters = std::move(expanded.text);
        return expanded.error;
    }
    if (request.argsSetting.empty()) {  // the parameter string, whole, the one argument
        if (!request.parameters.empty()) {
            request.arguments = {pathsFor && request.parameterIsPath ? pathsFor(request.parameters) : request.parameters};
        }
        return {};
    }
    ExpandedArguments expanded = ArgumentsFor(request.argsSetting, rom, separator, pathsFor);
    request.arguments = std::move(expanded.arguments);
    return expanded.error;
}

ProgramsBeside::ProgramsBeside(Files& files, Launcher& launcher, Clock& clock, WindowThread& window,
                               ProgramListener& listener, char separator)
    : files_(files),
      launcher_(launcher),
      clock_(clock),
      listener_(std::make_shared<ProgramListener*>(&listener)),
      separator_(separator),
      starts_(window),
      questions_(window),
      machines_(window) {}

ProgramsBeside::~ProgramsBeside() { *listener_ = nullptr; }

void ProgramsBeside::Start(const StartRequest& request) {
    starts_.Run([&files = files_, &launcher = launcher_, &clock = clock_, listener = listener_, separator = separator_,
                 request](Worker::Job& job) {
        StartRequest made = request;
        std::string unstartable = WhyItCannotStart(made, files, separator, job);
        if (unstartable.empty()) unstartable = FillInParameters(made, separator, launcher.PathsFor(made, job));
        // A share may have held it until Tarvo was closing: then nothing more is done.
        if (job.Cancelled()) return;
        auto launch = std::make_shared<Launcher::Launch>();
        if (unstartable.empty()) {
            *launch = launcher.Start(made, job);
        } else {
            launch->result = StartResult::Failed(unstartable);
        }
        job.Post([&launcher, &clock, listener, request, launch] {
            if (launch->program) {
                const std::int64_t started = clock.Now();
                // Read only while the listener is there: the clock is the maker's, which outlives this.
                launch->result.watched =
                    launcher.Watch(std::move(launch->program), [&clock, listener, started](const ProgramOutcome& outcome) {
                        if (*listener) (*listener)->ProgramEnded(outcome, clock.Now() - started);
                    });
            }
            (*listener)->StartFinished(request, launch->result);
        });
    }, false);
}

void ProgramsBeside::Ask(const Question& question) {
    questions_.Run([&launcher = launcher_, listener = listener_, question](Worker::Job& job) {
        auto output = std::make_shared<std::optional<std::string>>(std::string());
        const bool answered = launcher.Ask(question, [&](std::string_view piece) { (*output)->append(piece); }, job);
        if (!answered) output->reset();
        job.Post([listener, output] { (*listener)->ProgramAnswered(std::move(*output)); });
    }, false);
}

void ProgramsBeside::AskMachines(const Question& question, MachineList::Wanted wanted) {
    machines_.Run([&launcher = launcher_, listener = listener_, question, wanted](Worker::Job& job) {
        auto machines = std::make_shared<MachineList>(wanted);
        // MAME lists what it knows and ends with 5 when a name was none of its: the whole list counts.
        launcher.Ask(question, [&](std::string_view piece) { machines->Feed(piece); }, job);
        if (!machines->Complete()) machines.reset();
        job.Post([listener, machines] { (*listener)->MachinesAnswered(machines); });
    }, false);
}

}  // namespace tarvo
