// The library that owns a kind's precompiled headers (cmake/Precompiled.cmake) needs one source.
namespace vrx::pch {
int holder = 0;
}  // namespace vrx::pch
