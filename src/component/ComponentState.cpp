#include "component/ComponentState.h"

#include "files/FileSystem.h"

namespace formalys {

ComponentState& ComponentState::instance()
{
    static ComponentState state;
    return state;
}

void ComponentState::reset()
{
    *this = ComponentState{};
}

void ComponentState::setApplicationDirectory(const std::string& path)
{
    applicationDirectory = path.empty() ? componentDirectory() : path;
    if (applicationDirectory.ends_with(files::pathSeparator())) {
        applicationDirectory.pop_back(); // one only: a second trailing separator stays
    }
    exchangePath = files::joinPath(applicationDirectory, "Formalys.ini");
}

std::string todayText()
{
    return formatDate(ComponentState::instance().clock->today());
}

} // namespace formalys
