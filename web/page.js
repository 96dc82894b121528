'use strict';
// The page: a form built from the engine's own descriptions, a case read from
// and written to the address (kaldora-calc's words: type=1&3=108&outdoors),
// and the result in the window's words.
(function () {
  let engine = null;
  let description = null;
  let state = null; // {type, texts: {slot: text}, options: {word: true}, norm: {set, supports, region}}
  const $ = (id) => document.getElementById(id);

  function element(tag, attributes, text) {
    const node = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes || {})) node.setAttribute(name, value);
    if (text !== undefined) node.textContent = text;
    return node;
  }

  function typeOf(number) { return description.types.find((t) => t.type === number); }

  function freshState(number) {
    const type = typeOf(number);
    return {type: number, texts: {}, options: {}, norm: {set: 'historical', supports: 'movable', region: 'europe'},
            indoors: type.alwaysIndoors};
  }

  // The case as kaldora-calc's arguments, and as the address says it.
  function argumentsOf(s) {
    const type = typeOf(s.type);
    const args = ['--type', String(s.type)];
    for (const [slot, text] of Object.entries(s.texts)) args.push(slot + '=' + text);
    if (type.placement) args.push(s.options.indoors ? '--indoors' : '--outdoors');
    if (type.cover) args.push(s.options.metal ? '--metal' : '--nonmetal');
    if (type.hours) args.push(s.options['long-hours'] ? '--long-hours' : '--short-hours');
    if (type.norm && s.norm.set !== 'historical')
      args.push('--norm', s.norm.set, '--supports', s.norm.supports, '--region', s.norm.region);
    return args;
  }
  function fragmentOf(s) {
    const type = typeOf(s.type);
    const parts = ['type=' + s.type];
    for (const [slot, text] of Object.entries(s.texts)) parts.push(slot + '=' + encodeURIComponent(text));
    if (type.placement) parts.push(s.options.indoors ? 'indoors' : 'outdoors');
    if (type.cover) parts.push(s.options.metal ? 'metal' : 'nonmetal');
    if (type.hours) parts.push(s.options['long-hours'] ? 'long-hours' : 'short-hours');
    if (type.norm && s.norm.set !== 'historical')
      parts.push('norm=' + s.norm.set, 'supports=' + s.norm.supports, 'region=' + s.norm.region);
    return parts.join('&');
  }
  // An address's case; null where it names none.
  function stateOf(fragment) {
    const words = fragment.replace(/^#/, '').split('&').filter((w) => w);
    const typeWord = words.find((w) => w.startsWith('type='));
    const number = typeWord ? Number(typeWord.slice(5)) : NaN;
    if (!typeOf(number)) return null;
    const s = freshState(number);
    for (const word of words) {
      const at = word.indexOf('=');
      const key = at < 0 ? word : word.slice(0, at);
      let value = at < 0 ? '' : word.slice(at + 1);
      try { value = decodeURIComponent(value); } catch (e) { /* kept as written */ }
      if (/^\d+$/.test(key)) s.texts[key] = value;
      else if (key === 'norm' || key === 'supports' || key === 'region') s.norm[key === 'norm' ? 'set' : key] = value;
      else if (key === 'indoors' || key === 'outdoors') s.options.indoors = key === 'indoors';
      else if (key === 'metal' || key === 'nonmetal') s.options.metal = key === 'metal';
      else if (key === 'long-hours' || key === 'short-hours') s.options['long-hours'] = key === 'long-hours';
    }
    return s;
  }

  function buildTypes() {
    const list = $('types');
    for (const type of description.types) {
      const item = element('li');
      const button = element('button', {type: 'button', 'data-type': type.type}, type.heading.replace(/\s*\n\s*/g, ' '));
      button.addEventListener('click', () => choose(freshState(type.type), false, true));
      item.append(button);
      list.append(item);
    }
  }

  function toggle(word, captions, pressed) {
    const button = element('button', {type: 'button', class: 'toggle', 'aria-pressed': String(!!pressed),
                                      'data-option': word}, captions[pressed ? 1 : 0]);
    button.addEventListener('click', () => {
      state.options[word] = !state.options[word];
      button.setAttribute('aria-pressed', String(state.options[word]));
      button.textContent = captions[state.options[word] ? 1 : 0];
      outdated();
    });
    return button;
  }

  function select(id, label, choices, value, onChange) {
    const wrap = element('div', {class: 'choice'});
    wrap.append(element('label', {for: id}, label));
    const box = element('select', {id});
    for (const c of choices) {
      const option = element('option', {value: c.word}, c.title);
      if (c.word === value) option.selected = true;
      box.append(option);
    }
    box.addEventListener('change', () => { onChange(box.value); outdated(); });
    wrap.append(box);
    return wrap;
  }

  // The type's screen for a state; calculated at once where the state came
  // from an address.
  function choose(s, calculate, focus) {
    state = s;
    const type = typeOf(s.type);
    for (const b of document.querySelectorAll('#types button'))
      b.setAttribute('aria-current', b.dataset.type === String(s.type) ? 'page' : 'false');
    $('screen').hidden = false;
    $('heading').textContent = type.heading;
    const fields = $('fields');
    fields.replaceChildren();
    for (const f of type.fields) {
      const row = element('div', {class: f.result ? 'field result-field' : 'field'});
      const id = 'slot' + f.slot;
      row.append(element('label', {for: id}, f.label));
      const value = f.slot in s.texts ? s.texts[f.slot] : f.initial;
      let input;
      if (f.readOnly && f.items.length) {
        // Chosen from its list, as on the window; a link may name another value.
        input = element('select', {id, name: String(f.slot)});
        for (const item of f.items.includes(value) ? f.items : [value, ...f.items])
          input.append(element('option', {value: item}, item));
        input.value = value;
        input.addEventListener('change', () => { state.texts[f.slot] = input.value; outdated(); });
      } else {
        input = element('input', {id, name: String(f.slot), inputmode: 'decimal', autocomplete: 'off',
                                  spellcheck: 'false'});
        input.value = value;
        input.readOnly = f.readOnly;
        input.addEventListener('input', () => { state.texts[f.slot] = input.value; outdated(); });
      }
      const described = [];
      if (f.hint) described.push(id + '-hint');
      described.push(id + '-problem');
      input.setAttribute('aria-describedby', described.join(' '));
      row.append(input);
      if (f.hint) row.append(element('small', {id: id + '-hint', class: 'hint'}, f.hint));
      row.append(element('small', {id: id + '-problem', class: 'problem'}));
      fields.append(row);
    }
    const options = $('options');
    options.replaceChildren();
    const captions = description.captions;
    if (type.placement) options.append(toggle('indoors', captions.placement, s.options.indoors));
    else if (type.alwaysIndoors) options.append(element('p', {class: 'plate'}, captions.placement[1]));
    if (type.cover) options.append(toggle('metal', captions.cover, s.options.metal));
    if (type.hours) options.append(toggle('long-hours', captions.hours, s.options['long-hours']));
    if (type.norm) {
      const norm = description.norm;
      const sets = select('norm-set', 'Нормы', norm.sets, s.norm.set, (v) => { state.norm.set = v; current(); });
      const supports = select('norm-supports', 'Опоры', norm.supports, s.norm.supports, (v) => { state.norm.supports = v; });
      const regions = select('norm-region', 'Район', norm.regions, s.norm.region, (v) => { state.norm.region = v; });
      const current = () => {
        for (const box of [supports, regions]) box.querySelector('select').disabled = state.norm.set === 'historical';
      };
      const choices = element('div', {class: 'norm'});
      choices.append(sets, supports, regions);
      options.append(choices);
      current();
    }
    $('result').replaceChildren();
    if (calculate) show(run());
    if (focus) fields.querySelector('input:not([readonly]), select').focus();
  }

  function run() {
    const answer = JSON.parse(engine.run(argumentsOf(state).join('\n')));
    window.kaldoraLast = answer; // what the page showed last, for its tests
    if (window.kaldoraFirstResultMs === undefined) window.kaldoraFirstResultMs = performance.now();
    history.replaceState(null, '', '#' + fragmentOf(state));
    return answer;
  }

  // The result in the window's words; an error of the case next to the form.
  function show(answer) {
    const result = $('result');
    result.replaceChildren();
    result.classList.remove('outdated');
    for (const input of document.querySelectorAll('#fields input')) input.removeAttribute('aria-invalid');
    for (const problem of document.querySelectorAll('#fields .problem')) problem.textContent = '';
    if (answer.error) {
      result.append(element('p', {class: 'message error'}, answer.error));
      return;
    }
    const shown = answer.shown;
    for (const m of shown.messages)
      result.append(element('p', {class: 'message ' + m.kind}, m.text));
    result.append(element('p', {class: 'line', id: 'result-line'}, shown.resultLine));
    for (const note of shown.notes) result.append(element('p', {class: 'note'}, note));
    for (const row of shown.whole) {
      const p = element('p', {class: 'whole'});
      p.append(element('span', {}, row.caption.trim() + ' '), element('strong', {}, row.text));
      result.append(p);
    }
    for (const [slot, text] of Object.entries(shown.fields || {})) {
      const input = $('slot' + slot);
      if (input && input.tagName === 'INPUT') input.value = text; // as the window writes its fields back
    }
    if (shown.caution) result.append(element('p', {class: 'note'}, shown.caution));
    if (shown.readAsZero.length) {
      result.append(element('p', {class: 'message zero'},
                            'Прочитано как 0: ' + shown.readAsZero.map((f) => f.name).join(', ')));
      for (const f of shown.readAsZero) {
        const input = $('slot' + f.slot);
        if (!input) continue;
        input.setAttribute('aria-invalid', 'true');
        $('slot' + f.slot + '-problem').textContent = 'Прочитано как 0';
      }
    }
  }

  // The papers print what the screen's inputs give now: calculated first.
  function calculateForPrinting() {
    for (const input of document.querySelectorAll('#fields input:not([readonly]), #fields select'))
      state.texts[input.name] = input.value;
    const answer = run();
    show(answer);
    return answer;
  }

  function openPaper(content, rules, title) {
    $('sheet').replaceChildren(content);
    $('page-rules').textContent = rules;
    document.title = title;
    $('paper').hidden = false;
    document.body.classList.add('paper-open');
    $('paper-print').focus();
  }

  function closePaper() {
    $('paper').hidden = true;
    document.body.classList.remove('paper-open');
    document.title = 'Кальдора';
    $('sheet').replaceChildren();
    $('calculate').focus();
  }

  const cssString = (text) => '"' + text.replace(/\\/g, '\\\\').replace(/"/g, '\\"') + '"';

  // The day as the papers print it: 09.12.2026.
  function todayAsPrinted() {
    const today = new Date();
    return [today.getDate(), today.getMonth() + 1].map((n) => String(n).padStart(2, '0')).join('.') + '.' +
           today.getFullYear();
  }

  // The one-page report: the program's page, element by element, in mm.
  function printReport() {
    const answer = calculateForPrinting();
    if (answer.error || answer.shown.refused) return; // the refusal is on the screen; nothing to print
    const sheet = element('div', {class: 'report-page'});
    const date = todayAsPrinted();
    for (const e of answer.shown.report) {
      const box = element(e.kind === 'picture' ? 'img' : 'div', {class: 'element'});
      box.style.left = e.left + 'mm';
      box.style.top = e.top + 'mm';
      if (e.width) box.style.width = e.width + 'mm';
      if (e.kind === 'picture') {
        box.src = window.kaldoraLogo;
        box.alt = '';
        box.style.height = e.height + 'mm';
      } else {
        const rule = e.underline && !e.text.trim();
        box.textContent = e.kind === 'date' ? date : rule ? '' : e.text;
        box.style.fontSize = e.points + 'pt';
        if (e.bold) box.style.fontWeight = 'bold';
        if (e.underline) box.style.textDecoration = 'underline';
        if (e.wrap) box.classList.add('wrap');
        if (rule) box.classList.add('rule');
      }
      sheet.append(box);
    }
    openPaper(sheet, '@page { size: A4; margin: 0; }', description.captions.report);
  }

  // The protocol: who and what it is for, then the program's protocol.
  function askIdentity() {
    const dialog = $('identity');
    const fields = $('identity-fields');
    const remembered = JSON.parse(localStorage.getItem('kaldora-identity') || '[]');
    fields.replaceChildren();
    description.captions.identity.forEach((caption, n) => {
      const row = element('div', {class: 'field'});
      row.append(element('label', {for: 'identity' + n}, caption));
      const input = element('input', {id: 'identity' + n, autocomplete: 'off'});
      input.value = remembered[n] || '';
      row.append(input);
      fields.append(row);
    });
    dialog.returnValue = '';
    dialog.showModal();
    dialog.addEventListener('close', () => {
      if (dialog.returnValue !== 'ok') return;
      const identity = description.captions.identity.map((c, n) => $('identity' + n).value);
      localStorage.setItem('kaldora-identity', JSON.stringify(identity));
      printProtocol(identity);
    }, {once: true});
  }

  function printProtocol(identity) {
    calculateForPrinting();
    const date = todayAsPrinted();
    const protocol = JSON.parse(engine.protocol(argumentsOf(state).join('\n'), JSON.stringify(identity), date));
    if (protocol.error) return;
    const body = element('div', {class: 'protocol'});
    body.innerHTML = protocol.html; // the engine's own HTML, its texts escaped there
    openPaper(body, '@page { size: A4; margin: 15mm 20mm 15mm 25mm; ' +
                    '@top-left { content: ' + cssString(protocol.header) + '; font-size: 8pt; } ' +
                    '@bottom-right { content: "Лист " counter(page) " из " counter(pages); font-size: 8pt; } }',
              protocol.title);
  }

  // Results belong to the inputs they came from.
  function outdated() {
    const result = $('result');
    if (result.childElementCount) result.classList.add('outdated');
  }

  // A table of cases: read by the engine from the page's own file system and
  // its results offered as a download, in the form the table came in.
  let tableLink = null;
  function runTable(file) {
    const status = $('table-result');
    status.replaceChildren(element('p', {class: 'summary'}, 'Расчет таблицы «' + file.name + '»…'));
    file.arrayBuffer().then((buffer) => {
      const bytes = new Uint8Array(buffer);
      const workbook = bytes[0] === 0x50 && bytes[1] === 0x4b; // a zip: .xlsx
      const dot = file.name.lastIndexOf('.');
      const base = dot > 0 ? file.name.slice(0, dot) : file.name;
      const extension = workbook ? '.xlsx' : dot > 0 ? file.name.slice(dot) : '.csv';
      const input = '/tmp/table', output = '/tmp/results' + extension;
      engine.FS.writeFile(input, bytes);
      const answer = JSON.parse(engine.table(input, file.name, output, workbook));
      engine.FS.unlink(input);
      if (tableLink) URL.revokeObjectURL(tableLink);
      tableLink = null;
      status.replaceChildren();
      if (answer.error) {
        status.append(element('p', {class: 'error'}, 'Таблица не рассчитана: ' + answer.error));
      } else {
        status.append(element('p', {class: 'summary'}, 'Строк в таблице: ' + answer.rows +
                                   (answer.errors ? '; не рассчитано: ' + answer.errors + ' (причина — в строке)' : '')));
        const results = engine.FS.readFile(output);
        tableLink = URL.createObjectURL(new Blob([results], {
          type: workbook ? 'application/vnd.openxmlformats-officedocument.spreadsheetml.sheet' : 'text/csv'}));
        const name = base + '-результаты' + extension;
        status.append(element('a', {href: tableLink, download: name, id: 'table-download'}, 'Скачать ' + name));
      }
      if (engine.FS.analyzePath(output).exists) engine.FS.unlink(output);
      for (const note of answer.notes) status.append(element('p', {class: 'note'}, note));
    }).catch((error) => {
      // A file the browser could not read, or no room for it: said, not left at "Расчет…".
      status.replaceChildren(element('p', {class: 'error'}, 'Таблица не рассчитана: ' + error.message));
    });
  }

  function buildTables() {
    const drop = $('table-drop');
    const template = $('table-template');
    if (engine.writeTableTemplate('/tmp/template.csv'))
      template.href = URL.createObjectURL(new Blob([engine.FS.readFile('/tmp/template.csv')], {type: 'text/csv'}));
    template.download = 'Кальдора-шаблон.csv';
    $('table-file').addEventListener('change', (event) => {
      if (event.target.files.length) runTable(event.target.files[0]);
      event.target.value = '';
    });
    drop.addEventListener('dragover', (event) => { event.preventDefault(); drop.classList.add('over'); });
    drop.addEventListener('dragleave', () => drop.classList.remove('over'));
    drop.addEventListener('drop', (event) => {
      event.preventDefault();
      drop.classList.remove('over');
      if (event.dataTransfer.files.length) runTable(event.dataTransfer.files[0]);
    });
    $('tables').hidden = false;
  }

  function start() {
    description = JSON.parse(engine.describe());
    $('calculate').textContent = description.captions.calculate;
    $('report').textContent = description.captions.report;
    $('protocol').textContent = description.captions.protocol;
    $('identity-title').textContent = description.captions.protocol;
    $('report').addEventListener('click', printReport);
    $('protocol').addEventListener('click', askIdentity);
    $('paper-print').addEventListener('click', () => window.print());
    $('paper-close').addEventListener('click', closePaper);
    document.addEventListener('keydown', (event) => {
      if (event.key === 'Escape' && !$('paper').hidden) closePaper();
    });
    $('result').dataset.calculate = description.captions.calculate;
    buildTypes();
    buildTables();
    $('case').addEventListener('submit', (event) => {
      event.preventDefault();
      for (const input of document.querySelectorAll('#fields input:not([readonly]), #fields select'))
        state.texts[input.name] = input.value;
      show(run());
    });
    const open = () => {
      const s = stateOf(location.hash);
      if (s && (!state || fragmentOf(s) !== fragmentOf(state) || !window.kaldoraLast)) choose(s, true, false);
    };
    window.addEventListener('hashchange', open);
    $('loading').remove();
    document.body.dataset.ready = 'true';
    if (stateOf(location.hash)) open();
    else choose(freshState(1), false, false);
  }

  KaldoraEngine().then((module) => { engine = module; start(); });
})();
