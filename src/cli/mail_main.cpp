// trackpack-mail: the helper of trackpack that makes and sends a submission.
#include "cli_common.h"
#include "submit_command.h"

int main(int argc, char** argv) {
    return korvo::cli::helperMain(argc, argv, "submit", korvo::cli::submit);
}
