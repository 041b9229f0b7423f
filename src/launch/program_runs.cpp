#include "launch/program_runs.h"

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

ProgramsBeside::ProgramsBeside(Files& files, Launcher& launcher, WindowThread& window, ProgramListener& listener,
                               char separator)
    : files_(files),
      launcher_(launcher),
      listener_(std::make_shared<ProgramListener*>(&listener)),
      separator_(separator),
      starts_(window),
      questions_(window),
      machines_(window) {}

ProgramsBeside::~ProgramsBeside() { *listener_ = nullptr; }

void ProgramsBeside::Start(const StartRequest& request) {
    starts_.Run([&files = files_, &launcher = launcher_, listener = listener_, separator = separator_,
                 request](Worker::Job& job) {
        const std::string unstartable = WhyItCannotStart(request, files, separator, job);
        // A share may have held it until Tarvo was closing: then nothing more is done.
        if (job.Cancelled()) return;
        auto launch = std::make_shared<Launcher::Launch>();
        if (unstartable.empty()) {
            *launch = launcher.Start(request, job);
        } else {
            launch->result = StartResult::Failed(unstartable);
        }
        job.Post([&launcher, listener, request, launch] {
            if (launch->program) {
                launch->result.watched = launcher.Watch(std::move(launch->program), [listener] {
                    if (*listener) (*listener)->ProgramEnded();
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

void ProgramsBeside::AskMachines(const Question& question) {
    machines_.Run([&launcher = launcher_, listener = listener_, question](Worker::Job& job) {
        auto machines = std::make_shared<MachineList>();
        // MAME lists what it knows and ends with 5 when a name was none of its: the whole list counts.
        launcher.Ask(question, [&](std::string_view piece) { machines->Feed(piece); }, job);
        if (!machines->Complete()) machines.reset();
        job.Post([listener, machines] { (*listener)->MachinesAnswered(machines); });
    }, false);
}

}  // namespace tarvo
