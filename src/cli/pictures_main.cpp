// trackpack-pictures: the helper of trackpack that draws the level pictures.
#include "cli_common.h"
#include "pictures_command.h"

int main(int argc, char** argv) {
    return korvo::cli::helperMain(argc, argv, "pictures", korvo::cli::picturesCommand);
}
