// tarvo: started with an emulator's path, lists its ROMs and starts them.

#include <QApplication>

#include "linux_services.h"
#include "single_instance.h"
#include "tarvo_window.h"

int main(int argc, char** argv) {
    // The command line belongs to Tarvo, not to Qt: Qt sees only the name.
    const tarvo::LinuxEnvironment environment = tarvo::LinuxEnvironment::FromProcess(argc, argv);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    tarvo::SingleInstance instance(tarvo::SingleInstance::DefaultSocketPath());
    tarvo::LinuxServices services(environment, instance);
    tarvo::TarvoWindow window(services);
    instance.OnCaption([&window](const std::string& caption) { window.RestoreIfCaption(caption); });

    if (window.Load() == tarvo::frmPindle::LoadResult::EndProgram) return 0;
    window.show();
    return app.exec();
}
