// Keeps the resource library non-empty before any picture is embedded.
namespace terminal_resources_anchor {
int anchor = 0;
}
