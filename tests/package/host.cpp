// A host that links the installed libformalys: initialises the component on an application
// directory and fills form 2035 there, which (without a template) reports the missing file.
#include <cstdio>
#include <formalys/SHPDF.h>

int main(int argc, char** argv)
{
    formalys::SHPDF component;
    component.CerfaInit(argc > 1 ? argv[1] : "");
    component.Cerfa2035();
    std::puts(component.TheData().empty() ? "TheData vide" : "TheData rempli");
    return 0;
}
