// The page's script, checked with eslint's recommended rules: the page's modules (src/, bundled
// into the one page by esbuild, the calculator's calling DiscSpringCalculator, whose script stands
// before them) and a worker appended to the design engine's own script (worker.js, which calls
// DiscSpringEngine).
const js = require('@eslint/js');
const globals = require('globals');

module.exports = [
  js.configs.recommended,
  {
    files: ['src/*.js'],
    languageOptions: {
      ecmaVersion: 2022,
      sourceType: 'module',
      globals: { ...globals.browser, DiscSpringCalculator: 'readonly' },
    },
  },
  {
    files: ['worker.js'],
    languageOptions: {
      ecmaVersion: 2022,
      sourceType: 'script',
      globals: { ...globals.worker, DiscSpringEngine: 'readonly' },
    },
  },
];
