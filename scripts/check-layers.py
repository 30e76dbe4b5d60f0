#!/usr/bin/env python3
"""Keeps the layers of src/ standing.

The folders of src/ stand in the order of LAYERS, from the bottom up: a file
may include headers of its own folder and of the folders below it, never of a
folder above. Fails (exit 1, with the reason) when
  - a file includes a header of a folder above its own, or a form (.ui) names
    a custom widget whose header is in a folder above the form's,
  - a folder of src/ is missing from LAYERS (its place must be decided),
  - a file of quillmarch_logic (its list in cmake/Sources.cmake) includes a
    QtWidgets, QtPrintSupport or QtCharts header, a generated form (ui_*.h)
    or a header of quillmarch_ui,
  - a header of quillmarch_logic names QWidget or Prompt: the logic hands
    back what happened, and only the windows show it,
  - a form lies in a folder that has no file of quillmarch_ui, is not in
    quillmarch_ui's list, or names a custom widget whose header is one of
    quillmarch_logic's,
  - a source file is in neither library's list.

Usage: check-layers.py [--root DIR] [QT_HEADER_DIR ...]
The QT_HEADER_DIRs are Qt's QtWidgets, QtPrintSupport and QtCharts include folders;
their file names are the headers the logic library may not include.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)
# What a header of the logic library may not name: a window to show
# something over, or the service that shows it.
WINDOW_WORDS = re.compile(r'\b(QWidget|Prompt)\b')
CUSTOM_WIDGET_HEADER = re.compile(r'<customwidget>.*?<header[^>]*>\s*([^<\s]+)\s*</header>', re.S)

# The folders of src/, from the bottom up. core holds what every part needs
# (settings, clock, numbers); data the connections and stored rows; controls
# the list models and the widget controls every window uses; then the
# subsystems, each using only those before it; app wires the windows together.
LAYERS = ['core', 'data', 'controls', 'printing', 'spreadsheet', 'users', 'settings', 'sales',
          'records', 'cli', 'app']


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


def folder_of(path):
    return path.split('/')[0] if '/' in path else None


def climbs(src, from_path, header):
    """The reason when HEADER, named in FROM_PATH, is in a folder above FROM_PATH's."""
    here, there = folder_of(from_path), folder_of(header)
    if here is None or there is None or here == there:
        return None
    if not os.path.isdir(os.path.join(src, there)) or here not in LAYERS or there not in LAYERS:
        return None
    if LAYERS.index(there) > LAYERS.index(here):
        return f'{from_path} names "{header}": {there} stands above {here} ({" < ".join(LAYERS)})'
    return None


def forms(src):
    for folder, _, names in os.walk(src):
        for name in names:
            if name.endswith('.ui'):
                yield os.path.relpath(os.path.join(folder, name), src).replace(os.sep, '/')


def custom_widget_headers(src, form):
    with open(os.path.join(src, form), encoding='utf-8') as f:
        return CUSTOM_WIDGET_HEADER.findall(f.read())


def check_logic_header(src, path):
    """The reasons when the logic header PATH names a window or the prompt service."""
    failures = []
    with open(os.path.join(src, path), encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            for word in sorted(set(WINDOW_WORDS.findall(line))):
                failures.append(f'{path}:{number} (quillmarch_logic) names {word}: the logic '
                                'hands back outcomes, the windows show them')
    return failures


def check_order(src, files):
    failures = []
    folders = {e for e in os.listdir(src) if os.path.isdir(os.path.join(src, e))}
    for folder in sorted(folders - set(LAYERS)):
        failures.append(f'src/{folder} has no place in the layers: add it to LAYERS in '
                        'scripts/check-layers.py')
    for path in files:
        for inc in includes(src, path):
            reason = climbs(src, path, inc)
            if reason:
                failures.append(reason)
    return failures


def check_forms(src, lists):
    failures = []
    ui_folders = {folder_of(p) for p in lists['UI']}
    for form in sorted(forms(src)):
        if folder_of(form) not in ui_folders:
            failures.append(f'{form} is a form in {folder_of(form)}/, which holds only '
                            'quillmarch_logic')
        if form not in lists['UI']:
            failures.append(f'{form} is a form; forms belong to quillmarch_ui\'s list')
        for header in custom_widget_headers(src, form):
            reason = climbs(src, form, header)
            if reason:
                failures.append(reason)
            if header in lists['LOGIC']:
                failures.append(f'{form} makes a widget of "{header}", a header of '
                                'quillmarch_logic')
    return failures


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
    failures += check_order(src, files)

    lists = read_lists(os.path.join(root, 'cmake', 'Sources.cmake'))
    failures += check_forms(src, lists)
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
        if path.endswith('.h'):
            failures += check_logic_header(src, path)
        for inc in includes(src, path):
            name = inc.split('/')[-1]
            if (inc.startswith(('QtWidgets/', 'QtPrintSupport/', 'QtCharts/')) or name in forbidden
                    or name.startswith('ui_') or inc in lists['UI']):
                failures.append(f'{path} (quillmarch_logic) includes <{inc}>, a widget-side header')

    if failures:
        print('\n'.join(failures))
        return 1
    print('layers from the bottom up: ' + ' < '.join(LAYERS))
    print(f'quillmarch_logic: {len(lists["LOGIC"])} files without widget headers')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
