"""Every link of the README and the pages beside it leads somewhere: to a file
of the tree and, where it names one, to a heading of that file."""
import pathlib
import re
import sys


def anchors(page):
    """The anchors of a page's headings, made as the hosting sites make them."""
    return {re.sub(r'[^\w\- ]', '', line.lstrip('#').strip().lower()).replace(' ', '-')
            for line in page.read_text().splitlines() if line.startswith('#')}


broken = []
for page in [pathlib.Path('README.md'), pathlib.Path('bench/README.md'), *sorted(pathlib.Path('docs').glob('*.md'))]:
    for target in re.findall(r'\]\(([^)\s]+)\)', page.read_text()):
        path, _, anchor = target.partition('#')
        linked = page.parent / path if path else page
        if '://' not in target and (not linked.exists() or (anchor and anchor not in anchors(linked))):
            broken.append(f'{page}: {target}')
sys.exit('broken links:\n' + '\n'.join(broken) if broken else None)
