#!/usr/bin/env python3
"""Keeps the layers of src/ standing.

Fails (exit 1, with the reason) when
  - the folders of src/ include each other in a circle, or
  - a file of quillmarch_logic (its list in cmake/Sources.cmake) includes a
    QtWidgets, QtPrintSupport or QtCharts header, a generated form (ui_*.h)
    or a header of quillmarch_ui.

Usage: check-layers.py [--root DIR] [QT_HEADER_DIR ...]
The QT_HEADER_DIRs are Qt's QtWidgets, QtPrintSupport and QtCharts include folders;
their file names are the headers the logic library may not include.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)


def read_lists(sources_cmake):
    """{'LOGIC': set(paths under src/), 'UI': set(...)} from cmake/Sources.cmake."""
    text = open(sources_cmake, encoding='utf-8').read()
    lists = {'LOGIC': set(), 'UI': set()}
    for name, body in re.findall(r'set\(QM_(LOGIC|UI)_[A-Z]+\s(.*?)\)', text, re.S):
        for item in body.split():
            if item.startswith('src/'):
                lists[name].add(item[len('src/'):])
    return lists


def source_files(src):
    for folder, _, names in os.walk(src):
        for name in names:
            if name.endswith(('.h', '.cpp')):
                path = os.path.relpath(os.path.join(folder, name), src)
                yield path.replace(os.sep, '/')


def includes(src, path):
    with open(os.path.join(src, path), encoding='utf-8') as f:
        return INCLUDE.findall(f.read())


def folder_graph(src, files):
    graph = {}
    for path in files:
        if '/' not in path:
            continue  # main.cpp stands above every folder
        folder = path.split('/')[0]
        graph.setdefault(folder, {})
        for inc in includes(src, path):
            target = inc.split('/')[0]
            if '/' in inc and target != folder and os.path.isdir(os.path.join(src, target)):
                graph[folder].setdefault(target, f'{path} includes "{inc}"')
    return graph


def find_cycle(graph):
    """One circle of folders as a list, or None."""
    state = {}
    stack = []

    def visit(node):
        state[node] = 'open'
        stack.append(node)
        for nxt in sorted(graph.get(node, {})):
            if state.get(nxt) == 'open':
                return stack[stack.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        stack.pop()
        state[node] = 'done'
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def layer_order(graph):
    """Folders from the bottom up (each only includes folders before it)."""
    order, placed = [], set()
    while len(placed) < len(graph):
        ready = sorted(f for f in graph if f not in placed and set(graph[f]) <= placed)
        order += ready
        placed |= set(ready)
    return order


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    args = argv[1:]
    if len(args) >= 2 and args[0] == '--root':
        root, args = args[1], args[2:]
    src = os.path.join(root, 'src')
    forbidden = set()
    for folder in args:
        if os.path.isdir(folder):
            forbidden |= {n for n in os.listdir(folder)}
    failures = []

    files = sorted(source_files(src))
    graph = folder_graph(src, files)
    cycle = find_cycle(graph)
    if cycle:
        steps = [f'  {a} -> {b}: {graph[a][b]}' for a, b in zip(cycle, cycle[1:])]
        failures.append('folders include each other in a circle: ' + ' -> '.join(cycle) + '\n' +
                        '\n'.join(steps))

    lists = read_lists(os.path.join(root, 'cmake', 'Sources.cmake'))
    for path in files:
        if path != 'main.cpp' and path not in lists['LOGIC'] | lists['UI']:
            failures.append(f'{path} is in neither library\'s list in cmake/Sources.cmake')
    for path in sorted(lists['LOGIC']):
        if not os.path.exists(os.path.join(src, path)):
            failures.append(f'cmake/Sources.cmake lists {path}, which does not exist')
            continue
        if not path.endswith(('.h', '.cpp')):
            failures.append(f'{path} is a form; forms belong to quillmarch_ui')
            continue
        for inc in includes(src, path):
            name = inc.split('/')[-1]
            if (inc.startswith(('QtWidgets/', 'QtPrintSupport/', 'QtCharts/')) or name in forbidden
                    or name.startswith('ui_') or inc in lists['UI']):
                failures.append(f'{path} (quillmarch_logic) includes <{inc}>, a widget-side header')

    if failures:
        print('\n'.join(failures))
        return 1
    print('layers from the bottom up: ' + ' < '.join(layer_order(graph)))
    print(f'quillmarch_logic: {len(lists["LOGIC"])} files without widget headers')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
