#pragma once

#include <string>
#include <vector>

namespace editing {

class CommandTable;
class Workspace;
struct TreeNode;

// The project tree's context menus (resource 167): which pop-up a right-click over a node
// shows, with its items' ids, texts and enabling, and what the click selects first.
class TreeContextMenu
{
public:
    struct Item
    {
        int id = 0;
        std::string text;
        bool enabled = false;
    };

    // The pop-up's name ("工程", "对象", "容器" or "图层") and its items in order; no items
    // when there is nothing to show.
    struct Menu
    {
        std::string title;
        std::vector<Item> items;
    };

    // What a right-click over `node` does before its menu opens: the node's project becomes
    // current; a project node shows its settings in the property grid; any other node
    // becomes the caret (selecting it as a click does), and its scene the project's current
    // scene. Nothing for a null node.
    static void Prepare(Workspace& ws, TreeNode* node);
    // The pop-up for `node` as things stand. Texts are the menu's own where the tree menu
    // words a command differently from the main menu, else the command table's; enabling
    // comes from the table.
    static Menu Build(Workspace& ws, const CommandTable& table, const TreeNode* node);
    // Prepare, then Build: the whole right-click.
    static Menu Open(Workspace& ws, const CommandTable& table, TreeNode* node);
};

} // namespace editing
