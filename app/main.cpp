#include "platform/sdl/sdl_runtime.h"
#include "shell/form1.h"

int main() {
    vex::SdlRuntime runtime;
    vex::Form1 form(runtime);
    return runtime.run(form);
}
