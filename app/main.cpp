#include "app/run_command_line.h"
#include "platform/process_start.h"

int main(int argc, char** argv)
{
    prepareProcess();
    return runCommandLine(argc, argv);
}
